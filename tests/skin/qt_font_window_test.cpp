#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

#include "skin/font_help_text.h"
#include "skin/qt_font_window.h"

namespace kelvane {
namespace {

QList<FontWindow*> fontWindowsOf(QWidget& owner) {
    return owner.findChildren<FontWindow*>(Qt::FindDirectChildrenOnly);
}

TEST(FontWindow, ShowsItsFixedTextsReadOnlyAndOutOfTheTabChain) {
    QWidget owner;
    showFontWindow(&owner);
    ASSERT_EQ(fontWindowsOf(owner).size(), 1);
    FontWindow* window = fontWindowsOf(owner).front();

    EXPECT_EQ(window->objectName(), "Form8");
    EXPECT_EQ(window->windowTitle(), "Change HDL/HDA Fonts");
    EXPECT_FALSE(window->isModal());
    auto* label = window->findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "BMP + DAT font files must be in the same directoy of this program");
    auto* icon = window->findChild<QLabel*>("Image1");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pixmap().size(), QSize(16, 16));

    auto* text = window->findChild<QPlainTextEdit*>("Text3");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_FALSE(text->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(text->document()->blockCount(), 12);
    // The widget keeps lines, not line ends: compare against the CR LF text.
    EXPECT_EQ(text->toPlainText().replace('\n', "\r\n").toStdString(), fontInstructions());

    QTest::keyClicks(text, "typed");
    EXPECT_EQ(text->toPlainText().replace('\n', "\r\n").toStdString(), fontInstructions());
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
}

TEST(FontWindow, OneWindowThatIsRaisedWhileOpenAndMadeAfreshAfterClosing) {
    QWidget owner;
    owner.setGeometry(200, 150, 600, 500);
    showFontWindow(&owner);
    FontWindow* first = fontWindowsOf(owner).front();
    EXPECT_TRUE(first->isVisible());
    // Centred over the owner, give or take the window frame.
    EXPECT_LE((first->geometry().center() - owner.geometry().center()).manhattanLength(), 16);

    first->move(10, 20);
    const QPoint moved = first->pos();
    showFontWindow(&owner);
    ASSERT_EQ(fontWindowsOf(owner).size(), 1);
    EXPECT_EQ(fontWindowsOf(owner).front(), first);
    EXPECT_EQ(first->pos(), moved);

    QPointer<FontWindow> closed(first);
    first->close();
    showFontWindow(&owner);  // before the closed one is deleted
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    ASSERT_EQ(fontWindowsOf(owner).size(), 1);
    EXPECT_TRUE(fontWindowsOf(owner).front()->isVisible());

    // Escape closes (and unloads) it like the close box.
    QTest::keyClick(fontWindowsOf(owner).front(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fontWindowsOf(owner).isEmpty());
}

TEST(FontWindow, ClosesWhenItsOwnerCloses) {
    QWidget owner;
    owner.show();
    showFontWindow(&owner);
    QPointer<FontWindow> window = owner.findChild<FontWindow*>();
    ASSERT_TRUE(window && window->isVisible());
    owner.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace kelvane
