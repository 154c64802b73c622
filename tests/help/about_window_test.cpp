#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "help/credits_text.h"
#include "help/qt_about_window.h"
#include "help/qt_link_label.h"
#include "help/web_addresses.h"
#include "qt_test_application.h"
#include "support/fake_platform.h"

namespace kelvane {
namespace {

using testing::flushDeletions;
using testing::moveMouse;

class AboutWindowTest : public ::testing::Test {
  protected:
    ~AboutWindowTest() override { flushDeletions(); }

    AboutWindow* show() { return showAboutWindow(platform.desktop, platform.messages, &owner); }
    template <typename T = QWidget>
    static T* child(AboutWindow* window, const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    testing::FakePlatform platform;
    QWidget owner;
};

TEST_F(AboutWindowTest, ShowsCaptionCreditsAndScrollsThemOnTheTimer) {
    AboutWindow* window = show();
    EXPECT_EQ(window->windowTitle(), "About HDL Kelvane GUI");
    EXPECT_FALSE(window->isModal());
    auto* text1 = child<QLabel>(window, "text1");
    ASSERT_NE(text1, nullptr);
    EXPECT_EQ(text1->text(), QString::fromStdString(creditsText()).replace("\r\n", "\n"));
    EXPECT_EQ(text1->parentWidget(), child(window, "Picture1"));
    auto* timer = window->findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 10);

    EXPECT_EQ(text1->y(), 93);  // 1400 twips
    for (int i = 0; i < 1552; ++i) window->tick();
    EXPECT_EQ(text1->pos(), QPoint(8, 113));  // restarted at 1700 twips
}

TEST_F(AboutWindowTest, AboutRaisesTheOpenWindowAndRebuildsAClosedOne) {
    AboutWindow* first = show();
    for (int i = 0; i < 40; ++i) first->tick();
    EXPECT_EQ(show(), first);
    EXPECT_EQ(first->scroll().top(), 1400 - 120);

    QPointer<AboutWindow> closed = first;
    first->close();
    // Before its deferred deletion the closed window must not come back.
    AboutWindow* second = show();
    EXPECT_NE(second, closed.data());
    EXPECT_EQ(second->scroll().top(), 1400);
    flushDeletions();
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(owner.findChildren<AboutWindow*>().size(), 1);
}

TEST_F(AboutWindowTest, EnterEscapeAndOkCloseTheWindow) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QPointer<AboutWindow> window = show();
        QTest::keyClick(window.data(), key);
        flushDeletions();
        EXPECT_TRUE(window.isNull()) << "key " << key;
    }
    QPointer<AboutWindow> window = show();
    QTest::mouseClick(child<QPushButton>(window, "cmdOK"), Qt::LeftButton);
    flushDeletions();
    EXPECT_TRUE(window.isNull());
}

TEST_F(AboutWindowTest, LinkTurnsRedOffItsRestColourOnlyOnTheBareWindowAndOpensTheSite) {
    const QColor atRest{0xC0, 0xC0, 0xFF};
    AboutWindow* window = show();
    auto* label = child<QLabel>(window, "Label2");
    EXPECT_EQ(label->text().toStdString(), communityHost());
    EXPECT_EQ(labelColour(label), atRest);

    moveMouse(label);
    EXPECT_EQ(labelColour(label), kLinkUnderMouse);
    moveMouse(child(window, "Picture1"));
    moveMouse(child(window, "cmdOK"));
    EXPECT_EQ(labelColour(label), kLinkUnderMouse) << "other controls leave the link red";
    moveMouse(window, {180, 120});  // between the link and the button
    EXPECT_EQ(labelColour(label), atRest);

    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_EQ(platform.desktop.web.size(), 1u);
    EXPECT_EQ(platform.desktop.web[0].toStdString(), communityHomePage());
}

}  // namespace
}  // namespace kelvane

static ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new kelvane::testing::QtApplicationEnvironment);
