#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "core/messages.h"
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

TEST(FontWindow, ShowsTheInstructionsReadOnlyAndStaysOneWindowPerOwner) {
    QWidget owner;
    owner.show();
    showFontWindow(&owner);
    QPointer<FontWindow> first = onlyFontWindowOf(owner);
    ASSERT_TRUE(first && first->isVisible());
    auto* text = first->findChild<QPlainTextEdit*>("Text3");
    QTest::keyClicks(text, "typed");
    // Unchanged, line for line: no stray line feed or carriage return inside.
    EXPECT_EQ(text->toPlainText().split('\n'),
              QString::fromStdString(fontInstructions()).split(kLineBreak));

    QTest::keyClick(first, Qt::Key_Escape);  // like the close box
    showFontWindow(&owner);                  // before the closed one is deleted
    QPointer<FontWindow> second = onlyFontWindowOf(owner);
    EXPECT_TRUE(first.isNull() && second && second->isVisible());
    owner.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
}

}  // namespace
}  // namespace kelvane
