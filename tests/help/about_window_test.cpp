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

const QColor kAtRest{0xC0, 0xC0, 0xFF};

class AboutWindowTest : public ::testing::Test {
  protected:
    ~AboutWindowTest() override { flushDeletions(); }

    AboutWindow* show() { return showAboutWindow(platform.desktop, platform.messages, &owner); }
    template <typename T>
    T* child(AboutWindow* window, const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    testing::FakePlatform platform;
    QWidget owner;
};

TEST_F(AboutWindowTest, ShowsCaptionCreditsAndRunningTimer) {
    AboutWindow* window = show();
    EXPECT_EQ(window->objectName(), "Form5");
    EXPECT_EQ(window->windowTitle(), "About HDL Kelvane GUI");
    EXPECT_EQ(window->parentWidget(), &owner);
    EXPECT_FALSE(window->isModal());

    auto* text1 = child<QLabel>(window, "text1");
    QString expected = QString::fromStdString(creditsText());
    EXPECT_EQ(text1->text(), expected.replace("\r\n", "\n"));
    EXPECT_FALSE(text1->isEnabled());
    EXPECT_EQ(text1->parentWidget(), child<QWidget>(window, "Picture1"));

    auto* timer = window->findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 10);
    EXPECT_EQ(child<QLabel>(window, "Label2")->text().toStdString(), communityHost());
}

TEST_F(AboutWindowTest, TicksMoveTheCreditsAndRestartThemBelowTheBand) {
    AboutWindow* window = show();
    auto* text1 = child<QLabel>(window, "text1");
    EXPECT_EQ(text1->y(), 93);  // 1400 twips
    for (int i = 0; i < 1551; ++i) window->tick();
    EXPECT_EQ(window->scroll().top(), -3253);
    EXPECT_EQ(text1->y(), -217);
    window->tick();
    EXPECT_EQ(window->scroll().top(), 1700);
    EXPECT_EQ(text1->y(), 113);
    EXPECT_EQ(text1->x(), 8);
}

TEST_F(AboutWindowTest, AboutRaisesTheOpenWindowAndRebuildsAClosedOne) {
    AboutWindow* first = show();
    for (int i = 0; i < 40; ++i) first->tick();
    EXPECT_EQ(show(), first);
    EXPECT_EQ(first->scroll().top(), 1400 - 120);

    QPointer<AboutWindow> closed = first;
    first->close();
    // Between the close and the deferred deletion it must not come back.
    AboutWindow* second = show();
    EXPECT_NE(second, closed.data());
    EXPECT_EQ(second->scroll().top(), 1400);
    flushDeletions();
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(owner.findChildren<AboutWindow*>().size(), 1);
}

TEST_F(AboutWindowTest, EnterEscapeAndOkCloseTheWindow) {
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QPointer<AboutWindow> window = show();
        QTest::keyClick(window.data(), static_cast<Qt::Key>(key));
        flushDeletions();
        EXPECT_TRUE(window.isNull()) << "key " << key;
    }
    QPointer<AboutWindow> window = show();
    EXPECT_TRUE(child<QPushButton>(window, "cmdOK")->isDefault());
    QTest::mouseClick(child<QPushButton>(window, "cmdOK"), Qt::LeftButton);
    flushDeletions();
    EXPECT_TRUE(window.isNull());
}

TEST_F(AboutWindowTest, LinkTurnsRedUnderTheMouseAndBackOnlyOnTheBareWindow) {
    AboutWindow* window = show();
    auto* label = child<QLabel>(window, "Label2");
    EXPECT_EQ(labelColour(label), kAtRest);
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);

    moveMouse(label);
    EXPECT_EQ(labelColour(label), kLinkUnderMouse);
    moveMouse(child<QWidget>(window, "Picture1"));
    moveMouse(child<QWidget>(window, "cmdOK"));
    EXPECT_EQ(labelColour(label), kLinkUnderMouse) << "other controls leave the link red";

    // Free area between the link and the button, below the band.
    moveMouse(window, {180, 120});
    EXPECT_EQ(labelColour(label), kAtRest);
}

TEST_F(AboutWindowTest, LinkOpensTheCommunitySiteAndReportsAFailure) {
    AboutWindow* window = show();
    auto* label = child<QLabel>(window, "Label2");
    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_EQ(platform.desktop.web.size(), 1u);
    EXPECT_EQ(platform.desktop.web[0].toStdString(), communityHomePage());
    EXPECT_TRUE(platform.messages.shown.empty());

    platform.desktop.browserSucceeds = false;
    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(
        platform.messages.shown[0].text.contains(QString::fromStdString(communityHomePage())));
}

}  // namespace
}  // namespace kelvane

static ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new kelvane::testing::QtApplicationEnvironment);
