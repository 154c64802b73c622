// The help entries of the main window, its link labels and the about window.

#include <gtest/gtest.h>

#include <cmath>

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "help/credits_text.h"
#include "help/qt_about_window.h"
#include "help/qt_link_label.h"
#include "help/web_addresses.h"
#include "skin/qt_font_window.h"
#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

namespace kelvane {
namespace {

// A mouse movement sent as the window system does: filters run and an
// ignored movement travels on to the parent.
void moveMouse(QWidget* widget, QPoint pos = {2, 2}) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Moves the mouse onto a point of `surface` outside all of its controls.
void moveMouseOntoFreeArea(QWidget* surface) {
    for (int y = 2; y < surface->height(); y += 3)
        for (int x = 2; x < surface->width(); x += 3)
            if (!surface->childAt(x, y)) return moveMouse(surface, {x, y});
    ADD_FAILURE() << "no free area in " << surface->objectName().toStdString();
}

void flushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString page(const std::string& address) {
    return QString::fromStdString(address);
}

class HelpWindowTest : public ::testing::Test {
  protected:
    HelpWindowTest() : window(ProgramDirectory("C:\\Kit", '\\'), platform.services()) {
        window.show();
    }
    ~HelpWindowTest() override { flushDeletions(); }

    Ui::MainWindow& ui() { return window.ui(); }
    AboutWindow* showAbout() {
        return showAboutWindow(platform.desktop, platform.messages, &window);
    }
    testing::FakePlatform platform;
    MainWindow window;
};

// Each entry and link opens its document or page, each time; a failure is
// named. (The HDL read-me: the installed layout test.)
TEST_F(HelpWindowTest, EntriesAndLinksOpenTheirDocumentsAndPagesAndNameAFailure) {
    ui().mnuPackReadme3->trigger();
    platform.desktop.notepadSucceeds = false;
    ui().mnuPackReadme4->trigger();
    ui().mnuWEB->trigger();
    ui().mnuList->trigger();
    for (QLabel* link : {ui().Label2, ui().Label2, ui().Label3})
        QTest::mouseClick(link, Qt::LeftButton);
    platform.desktop.browserSucceeds = false;
    ui().mnuList->trigger();
    const QString readme4 = "C:\\Kit\\README\\PS2Packer 0.4 README.txt";
    EXPECT_EQ(platform.desktop.notepad,
              (std::vector<QString>{"C:\\Kit\\README\\PS2Packer 0.3 README.txt", readme4}));
    const QString home = page(communityHomePage()), list = page(gameCompatibilityList());
    EXPECT_EQ(platform.desktop.web,
              (std::vector<QString>{home, list, home, home, page(fontBuilderPage()), list}));
    const QString named[] = {readme4, list};
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(platform.messages.shown[i].icon == MessageIcon::Error &&
                    platform.messages.shown[i].text.contains(named[i]))
            << i;
}

TEST_F(HelpWindowTest, LinksTurnRedOverThemselvesAndBackOnlyOverTheirSurfaces) {
    const QColor cyan{0x00, 0xFF, 0xFF}, label3AtRest = activeBorderColour(ui().Frame6->palette());
    const auto colours = [this] {
        return std::pair{labelColour(ui().Label2), labelColour(ui().Label3)};
    };
    EXPECT_EQ(colours(), std::pair(cyan, label3AtRest));
    moveMouse(ui().Label2);
    moveMouse(ui().Label3);
    // From a link straight onto controls inside the frames and on the window.
    for (QWidget* control : {ui().Command3, ui().Command4, ui().Command13, ui().Command2})
        moveMouse(control);
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, kLinkUnderMouse));
    // Bare areas: another frame and the link's own frame keep Label2 red, the window not.
    for (QWidget* surface :
         std::initializer_list<QWidget*>{ui().Frame9, ui().Frame6, ui().centralwidget}) {
        moveMouse(ui().Label3);
        moveMouseOntoFreeArea(surface);
        EXPECT_EQ(colours(),
                  std::pair(surface == ui().centralwidget ? cyan : kLinkUnderMouse, label3AtRest))
            << surface->objectName().toStdString();
    }

    // The about window's link turns red off its own rest colour and opens the site.
    const QColor atRest{0xC0, 0xC0, 0xFF};
    AboutWindow* about = showAbout();
    auto* label = about->findChild<QLabel*>("Label2");
    auto* ok = about->findChild<QWidget*>("cmdOK");
    EXPECT_EQ(labelColour(label), atRest);
    moveMouse(label);
    moveMouse(about->findChild<QWidget*>("Picture1"));
    moveMouse(ok);
    EXPECT_EQ(labelColour(label), kLinkUnderMouse) << "other controls leave the link red";
    // Between the link and the button.
    moveMouse(about, {(label->geometry().right() + ok->x()) / 2, ok->geometry().center().y()});
    EXPECT_EQ(labelColour(label), atRest);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(platform.desktop.web, std::vector<QString>{page(communityHomePage())});
}

// One window each (raised when open): the about test here, the font window's own test.
TEST_F(HelpWindowTest, AboutAndFontHelpOpenModelessAfterTheFocusMovedAway) {
    qsizetype fontWindowsWhenSunk = -1;
    window.context().focusSink = [&] {
        fontWindowsWhenSunk = window.findChildren<FontWindow*>().size();
    };
    ui().mnuAbout->trigger();
    QTest::mouseClick(ui().Command3, Qt::LeftButton);
    EXPECT_EQ(fontWindowsWhenSunk, 0);
    for (QDialog* shown : {static_cast<QDialog*>(window.findChild<AboutWindow*>()),
                           static_cast<QDialog*>(window.findChild<FontWindow*>())})
        EXPECT_TRUE(shown && shown->isVisible() && !shown->isModal());
}

TEST_F(HelpWindowTest, AboutScrollsTheCreditsIsRaisedWhileOpenAndClosesOnOk) {
    QPointer<AboutWindow> about = showAbout();
    auto* text1 = about->findChild<QLabel*>("text1");
    ASSERT_NE(text1, nullptr);
    EXPECT_EQ(text1->text(), QString::fromStdString(creditsText()).replace("\r\n", "\n"));
    auto* timer = about->findChild<QTimer*>("Timer1");
    ASSERT_TRUE(timer && timer->isActive());
    // 15 twips make a design unit, drawn at the window's scale.
    const auto shown = [&](double twips) { return int(std::floor(twips / 15 * about->scale().y)); };
    for (int i = 0; i < 1552; ++i) about->tick();
    EXPECT_EQ(text1->y(), shown(1700));  // restarted
    EXPECT_EQ(showAbout(), about.data());
    EXPECT_EQ(about->scroll().top(), 1700) << "raised, not started again";
    about->close();
    // Before its deferred deletion the closed window must not come back.
    EXPECT_NE(showAbout(), about.data());
    flushDeletions();
    EXPECT_TRUE(about.isNull());
    EXPECT_EQ(window.findChildren<AboutWindow*>().size(), 1);

    // OK closes it; Enter and Escape are the dialog's own.
    QPointer<AboutWindow> closing = showAbout();
    QTest::mouseClick(closing->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    flushDeletions();
    EXPECT_TRUE(closing.isNull());
}

}  // namespace
}  // namespace kelvane
