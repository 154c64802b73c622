// Every window: in three fonts at two sizes its texts show whole, controls of
// one frame lie inside it apart from each other, enabled texts read well; read
// as a screen reader reads it, each control that takes the focus or shows text
// has a name, and no two read alike (name, role and description).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <functional>
#include <tuple>

#include "app/qt_banner.h"
#include "help/qt_about_window.h"
#include "help/qt_readable_colours.h"
#include "main_window_fixture.h"
#include "skin/colour_table_file.h"
#include "skin/qt_colour_table_editor.h"
#include "skin/qt_convert_dialog.h"
#include "skin/qt_font_maker_dialog.h"
#include "skin/qt_font_window.h"
#include "support/modal_answer.h"

namespace kelvane {
namespace {

using testing::MainWindowTest;

QString caption(const QWidget* w) {
    QString text;
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
    if (auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) text = g->title();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) text = e->text();
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

std::string describe(const QWidget* w) {
    return (w->objectName() + " \"" + caption(w) + "\"").toStdString();
}

// Controls placed by hand, not the parts of compound controls.
bool holdsControls(const QWidget* w) {
    return qobject_cast<const QGroupBox*>(w) || w->metaObject() == &QWidget::staticMetaObject ||
           qobject_cast<const QDialog*>(w);
}

QList<QWidget*> visibleChildren(const QWidget* parent) {
    QList<QWidget*> out;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o);
            w && !w->isWindow() && w->isVisible() && !w->geometry().isEmpty())
            out.push_back(w);
    return out;
}

void collectControls(QWidget* parent, QList<QWidget*>& out) {
    for (QWidget* w : visibleChildren(parent)) {
        out.push_back(w);
        if (holdsControls(w)) collectControls(w, out);
    }
}

QRect groupTitle(const QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                        box);
}

// Where a control draws its text, in its own coordinates; empty if it has none.
QRect textArea(const QWidget* w) {
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return groupTitle(box);
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        QStyle::SubElement element = QStyle::SE_PushButtonContents;
        if (qobject_cast<const QCheckBox*>(w)) element = QStyle::SE_CheckBoxContents;
        if (qobject_cast<const QRadioButton*>(w)) element = QStyle::SE_RadioButtonContents;
        return button->style()->subElementRect(element, &option, button);
    }
    if (auto* field = qobject_cast<const QLineEdit*>(w)) {
        QStyleOptionFrame option;
        option.initFrom(field);
        option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        return field->style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, field)
            .adjusted(2, 0, -2, 0);  // the field's own side margins
    }
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        const int m = label->margin();
        return label->contentsRect().adjusted(m, m, -m, -m);
    }
    return {};
}

// Rows of a font family and its size in times the desktop's size.
class WindowLayoutTest : public MainWindowTest,
                         public ::testing::WithParamInterface<std::tuple<std::string, double>> {
  protected:
    static void SetUpTestSuite() { desktopFont = new QFont(QApplication::font()); }
    static void TearDownTestSuite() {
        QApplication::setFont(*desktopFont);
        delete desktopFont;
    }

    void SetUp() override {
        const auto& [name, sizeFactor] = GetParam();
        const QString family = QString::fromStdString(name);
#ifdef _WIN32
        // Qt's offscreen platform on Windows sees no system font at all.
        if (!QFontDatabase::hasFamily(family))
            GTEST_SKIP() << name << " is not available to Qt on this platform";
#endif
        ASSERT_TRUE(QFontDatabase::hasFamily(family))
            << name << " is not installed; scripts/install-deps.sh installs it";
        QFont font(family);
        font.setPointSizeF(desktopFont->pointSizeF() * sizeFactor);
        QApplication::setFont(font);
        ASSERT_EQ(QFontInfo(QApplication::font()).family(), family);
        MainWindowTest::SetUp();
    }

    static void expectSoundLayout(QWidget* root) {
        QList<QWidget*> controls;
        collectControls(root, controls);
        ASSERT_FALSE(controls.isEmpty());
        for (QWidget* w : controls) {
            SCOPED_TRACE(describe(w));
            const QFontMetrics metrics(w->font());
            const QString text = caption(w);
            const QRect area = textArea(w);
            if (!text.isEmpty() && !area.isNull()) {
                if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
                    EXPECT_LE(label->heightForWidth(label->width()), label->height());
                } else if (w->inherits("kelvane::StackedCaptionButton")) {
                    for (const QChar letter : text)
                        EXPECT_LE(metrics.horizontalAdvance(letter), area.width());
                    EXPECT_LE(metrics.height() * text.size(), area.height());
                } else {
                    EXPECT_LE(metrics.horizontalAdvance(text), area.width());
                    EXPECT_LE(metrics.height(), area.height());
                }
                EXPECT_TRUE(w->rect().contains(area)) << "text area beyond the control";
            }
        }
        QList<QWidget*> parents{root};
        for (QWidget* w : controls)
            if (holdsControls(w)) parents.push_back(w);
        for (QWidget* parent : parents) {
            SCOPED_TRACE("in " + describe(parent));
            const QList<QWidget*> children = visibleChildren(parent);
            QRect inside = parent->rect();
            if (auto* box = qobject_cast<QGroupBox*>(parent))
                inside.setTop(groupTitle(box).bottom() + 1);
            for (qsizetype i = 0; i < children.size(); ++i) {
                // The credits scroll through their band on purpose.
                EXPECT_TRUE(children[i]->objectName() == "text1" ||
                            inside.contains(children[i]->geometry()))
                    << describe(children[i]) << " lies outside its frame's contents";
                for (qsizetype j = i + 1; j < children.size(); ++j)
                    EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                        << describe(children[i]) << " overlaps " << describe(children[j]);
            }
        }
    }

    // Unsmoothed, a text's pixels carry its exact colour: its strongest pixel
    // is measured against the commonest colour of its area.
    static void expectReadableTexts(QWidget* root, const QList<QWidget*>& alsoDisabled = {}) {
        // Wine's Windows platform draws some glyphs lighter than their colour
        // even unsmoothed (Noto's "?" measured 4.1:1 there), so the contrast is
        // measured where glyphs come out in their exact colour.
        if (QGuiApplication::platformName() == QLatin1String("windows")) return;
        QFont sharp = QApplication::font();
        sharp.setStyleStrategy(QFont::NoAntialias);
        QApplication::setFont(sharp);
        root->update();
        QApplication::processEvents();
        const QImage image = root->grab().toImage();
        QList<QWidget*> controls;
        collectControls(root, controls);
        for (QWidget* w : controls) {
            if (caption(w).isEmpty() || (!w->isEnabled() && !alsoDisabled.contains(w))) continue;
            QRect area = textArea(w);
            if (area.isNull()) continue;
            area = QRect(w->mapTo(root, area.topLeft()), area.size()).intersected(image.rect());
            QHash<QRgb, int> counts;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
            const auto most = std::max_element(counts.cbegin(), counts.cend());
            const QRgb background = most == counts.cend() ? 0 : most.key();
            double best = 1.0;
            for (auto it = counts.cbegin(); it != counts.cend(); ++it)
                best = std::max(best, contrastRatio(QColor(it.key()), QColor(background)));
            EXPECT_GE(best, kReadableContrast) << describe(w);
        }
    }

    static inline QFont* desktopFont = nullptr;
};

TEST_P(WindowLayoutTest, EveryWindowShowsEveryTextWholeAndInPlaceAndReadable) {
    expectSoundLayout(window.get());
    for (QLabel* panel : window->ui().StatusBar1->findChildren<QLabel*>())
        EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()),
                  panel->contentsRect().width())
            << describe(panel);
    const QRect banner = window->ui().Image1->rect();
    const BannerLayout layout = bannerLayout(banner.size(), window->font());
    EXPECT_TRUE(QRectF(banner).contains(layout.titleInk | layout.noteInk));
    EXPECT_FALSE(layout.titleInk.intersects(layout.noteInk));

    showFontWindow(window.get());
    auto* fonts = window->findChild<FontWindow*>();
    ASSERT_NE(fonts, nullptr);
    expectSoundLayout(fonts);
    AboutWindow* about = showAboutWindow(platform.desktop, platform.messages, window.get());
    expectSoundLayout(about);

    expectReadableTexts(window.get());
    expectReadableTexts(fonts);
    // The credits are disabled only so that they take no input.
    expectReadableTexts(about, {about->findChild<QWidget*>("text1")});
}

INSTANTIATE_TEST_SUITE_P(Fonts, WindowLayoutTest,
                         ::testing::Combine(::testing::Values<std::string>("DejaVu Sans",
                                                                           "Liberation Sans",
                                                                           "Noto Sans"),
                                            ::testing::Values(1.0, 1.5)));

QString who(QAccessibleInterface* face) {
    const QString object = face->object() ? face->object()->objectName() : "?";
    return object + " \"" + face->text(QAccessible::Name) + '"';
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
            if (seen.contains(key)) faults << who(child) + " reads like " + seen[key];
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

TEST_F(MainWindowTest, EveryControlHasANameOfItsOwn) {
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
