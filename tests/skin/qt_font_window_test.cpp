#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "skin/font_help_text.h"
#include "skin/qt_font_window.h"

namespace kelvane {
namespace {

FontWindow* onlyFontWindowOf(QWidget& owner) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto windows = owner.findChildren<FontWindow*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(windows.size(), 1);
    return windows.value(0);
}

TEST(FontWindow, ShowsTheInstructionsReadOnlyAndOutOfTheTabChain) {
    QWidget owner;
    showFontWindow(&owner);
    FontWindow* window = onlyFontWindowOf(owner);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(),
              "BMP + DAT font files must be in the same directoy of this program");
    // Twelve lines joined by CR LF, blank third and tenth, nothing after the last.
    const QString instructions = QString::fromStdString(fontInstructions());
    const QStringList lines = instructions.split("\r\n");
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(instructions.count('\n'), 11);
    EXPECT_TRUE(lines[2].isEmpty() && lines[9].isEmpty());
    EXPECT_EQ(lines[11], "the same filename (fontfile.bmp + fontfile.dat).");

    auto* text = window->findChild<QPlainTextEdit*>("Text3");
    EXPECT_FALSE(text->focusPolicy() & Qt::TabFocus);
    QTest::keyClicks(text, "typed");
    EXPECT_EQ(text->toPlainText().split('\n'), lines);
}

TEST(FontWindow, OneWindowRaisedWhileOpenMadeAfreshAfterClosingAndClosedWithItsOwner) {
    QWidget owner;
    owner.setGeometry(200, 150, 600, 500);
    owner.show();
    showFontWindow(&owner);
    QPointer<FontWindow> first = onlyFontWindowOf(owner);
    ASSERT_TRUE(first && first->isVisible());
    EXPECT_LE((first->geometry().center() - owner.geometry().center()).manhattanLength(), 16);
    showFontWindow(&owner);
    EXPECT_EQ(onlyFontWindowOf(owner), first.data());

    QTest::keyClick(first, Qt::Key_Escape);  // like the close box
    showFontWindow(&owner);                  // before the closed one is deleted
    QPointer<FontWindow> second = onlyFontWindowOf(owner);
    EXPECT_TRUE(first.isNull());
    ASSERT_TRUE(second && second->isVisible());
    owner.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
}

}  // namespace
}  // namespace kelvane
