// Every window read through Qt's accessibility interfaces, as a screen reader
// does: each control that takes the focus or shows text has a name, and no two
// of one window read alike (name, role and description). A window is a row.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QHash>
#include <QImage>
#include <functional>

#include "help/qt_about_window.h"
#include "main_window_fixture.h"
#include "skin/colour_table_file.h"
#include "skin/qt_colour_table_editor.h"
#include "skin/qt_convert_dialog.h"
#include "skin/qt_font_maker_dialog.h"
#include "skin/qt_font_window.h"
#include "support/modal_answer.h"

namespace kelvane {
namespace {

QString who(QAccessibleInterface* face) {
    QObject* object = face->object();
    return QStringLiteral("%1 (role %2) \"%3\"")
        .arg(object ? object->objectName() : "?", QString::number(face->role(), 16),
             face->text(QAccessible::Name));
}

void walk(QAccessibleInterface* face, QHash<QString, QString>& seen, QStringList& faults) {
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* child = face->child(i);
        if (!child || !child->isValid() || child->state().invisible) continue;
        const QString name = child->text(QAccessible::Name).trimmed();
        const QAccessible::Role role = child->role();
        const bool showsText = child->textInterface() || role == QAccessible::StaticText ||
                               role == QAccessible::EditableText;
        if ((child->state().focusable || showsText) && name.isEmpty())
            faults << who(child) + " has no name";
        // Table cells are told apart by their row and column.
        if (!name.isEmpty() && role != QAccessible::Cell) {
            const QString key = name + QChar(1) + QString::number(role) + QChar(1) +
                                child->text(QAccessible::Description);
            if (seen.contains(key))
                faults << who(child) + " reads like " + seen[key];
            else
                seen.insert(key, who(child));
        }
        walk(child, seen, faults);
    }
}

void expectEveryControlNamed(const char* window, QWidget* shown) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shown)) << window;
    QHash<QString, QString> seen;
    QStringList faults;
    walk(QAccessible::queryAccessibleInterface(shown), seen, faults);
    EXPECT_TRUE(faults.isEmpty()) << window << ":\n" << faults.join('\n').toStdString();
    EXPECT_FALSE(seen.isEmpty()) << window << ": the walk found nothing";
}

QWidget* opened(QWidget* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

using AccessibilityWalkTest = testing::MainWindowTest;

TEST_F(AccessibilityWalkTest, EveryControlHasANameOfItsOwn) {
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const ColourTableFile colours =
        parseColourTable("FF000080 // 1_Background\r\nFFFFFF80 // 2_Text\r\n");
    const struct {
        const char* name;
        std::function<QWidget*()> open;
    } windows[] = {
        {"main", [&] { return window.get(); }},
        {"font",
         [&]() -> QWidget* {
             showFontWindow(window.get());
             return window->findChild<FontWindow*>();
         }},
        {"about",
         [&] { return showAboutWindow(platform.desktop, platform.messages, window.get()); }},
        {"converter",
         [&] { return opened(new ConvertDialog(picture, "photo.png", {}, window.get())); }},
        {"colour editor",
         [&] {
             return opened(
                 new ColourTableEditor("hdl_colors.txt", colours, platform.messages, window.get()));
         }},
    };
    for (const auto& row : windows) {
        QWidget* shown = row.open();
        ASSERT_NE(shown, nullptr) << row.name;
        expectEveryControlNamed(row.name, shown);
        if (shown != window.get()) shown->close();
    }
    // Make Font runs as a modal dialog of the Tools menu.
    bool walked = false;
    testing::whenModal<FontMakerDialog>([&](FontMakerDialog* dialog) {
        expectEveryControlNamed("font maker", dialog);
        walked = true;
        dialog->reject();
    });
    window->findChild<QAction*>("mnuMakeFont")->trigger();
    EXPECT_TRUE(walked);
}

}  // namespace
}  // namespace kelvane
