#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/qt_main_window.h"
#include "help/qt_about_window.h"
#include "help/qt_link_label.h"
#include "help/web_addresses.h"
#include "qt_test_application.h"
#include "skin/qt_font_window.h"
#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

namespace kelvane {
namespace {

using testing::moveMouse;

// A point of `surface` outside all of its controls.
QPoint freePoint(QWidget* surface) {
    for (int y = 2; y < surface->height(); y += 3) {
        for (int x = 2; x < surface->width(); x += 3) {
            if (!surface->childAt(x, y)) return {x, y};
        }
    }
    ADD_FAILURE() << "no free area in " << surface->objectName().toStdString();
    return {};
}

class HelpControllerTest : public ::testing::Test {
  protected:
    HelpControllerTest() : window(ProgramDirectory("C:\\Kit", '\\'), platform.services()) {
        window.show();
    }
    ~HelpControllerTest() override { testing::flushDeletions(); }

    Ui::MainWindow& ui() { return window.ui(); }
    const testing::FakeMessageBoxes::Shown& onlyMessage() {
        EXPECT_EQ(platform.messages.shown.size(), 1u);
        return platform.messages.shown.at(0);
    }

    testing::FakePlatform platform;
    MainWindow window;
};

TEST_F(HelpControllerTest, ReadmeEntriesOpenTheDocumentsAndNameOneThatCannotBeOpened) {
    ui().mnuHDLReadme->trigger();
    ui().mnuPackReadme3->trigger();
    EXPECT_TRUE(platform.messages.shown.empty());
    platform.desktop.notepadSucceeds = false;
    ui().mnuPackReadme4->trigger();
    EXPECT_EQ(platform.desktop.notepad,
              (std::vector<QString>{"C:\\Kit\\README\\HDL PATCH README.txt",
                                    "C:\\Kit\\README\\PS2Packer 0.3 README.txt",
                                    "C:\\Kit\\README\\PS2Packer 0.4 README.txt"}));
    EXPECT_EQ(onlyMessage().icon, MessageIcon::Error);
    EXPECT_TRUE(onlyMessage().text.contains("C:\\Kit\\README\\PS2Packer 0.4 README.txt"));
}

TEST_F(HelpControllerTest, WebEntriesAndLinksOpenTheirPagesEachTimeAndNameAFailure) {
    const auto page = [](const std::string& address) { return QString::fromStdString(address); };
    EXPECT_EQ(ui().mnuWEB->text(), page(communityHost()));
    EXPECT_EQ(ui().Label2->text(), page(communityHost()));
    EXPECT_EQ(ui().Label3->text(), page(fontBuilderPage()));

    ui().mnuWEB->trigger();
    ui().mnuList->trigger();
    QTest::mouseClick(ui().Label2, Qt::LeftButton);
    QTest::mouseClick(ui().Label2, Qt::LeftButton);
    QTest::mouseClick(ui().Label3, Qt::LeftButton);
    EXPECT_TRUE(platform.messages.shown.empty());
    platform.desktop.browserSucceeds = false;
    ui().mnuList->trigger();
    EXPECT_EQ(platform.desktop.web,
              (std::vector<QString>{page(communityHomePage()), page(gameCompatibilityList()),
                                    page(communityHomePage()), page(communityHomePage()),
                                    page(fontBuilderPage()), page(gameCompatibilityList())}));
    EXPECT_EQ(onlyMessage().icon, MessageIcon::Error);
    EXPECT_TRUE(onlyMessage().text.contains(page(gameCompatibilityList())));
}

TEST_F(HelpControllerTest, LinkLabelsShowTheirWholeCaptionClearOfTheHelpButton) {
    for (QLabel* label : {ui().Label2, ui().Label3}) {
        EXPECT_TRUE(label->font().underline());
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
    }
    EXPECT_FALSE(ui().Label3->geometry().intersects(ui().Command3->geometry()));
    EXPECT_TRUE(ui().Frame6->rect().contains(ui().Command3->geometry()));
}

TEST_F(HelpControllerTest, HoverFollowsTheSurfacesAndIgnoresOtherControls) {
    const QColor cyan{0x00, 0xFF, 0xFF};
    const QColor label3AtRest = activeBorderColour(ui().Frame6->palette());
    const auto colours = [this] {
        return std::pair{labelColour(ui().Label2), labelColour(ui().Label3)};
    };
    EXPECT_EQ(colours(), std::pair(cyan, label3AtRest));
    moveMouse(ui().Label2);
    moveMouse(ui().Label3);
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, kLinkUnderMouse));

    // From a link straight onto controls inside the frames and on the window.
    for (QWidget* control : {ui().Command3, ui().Command4, ui().Command13, ui().Command2}) {
        moveMouse(control);
    }
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, kLinkUnderMouse));

    moveMouse(ui().Frame9, freePoint(ui().Frame9));
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, label3AtRest));
    moveMouse(ui().Label3);
    moveMouse(ui().Frame6, freePoint(ui().Frame6));
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, label3AtRest));
    moveMouse(ui().Label3);
    moveMouse(ui().centralwidget, freePoint(ui().centralwidget));
    EXPECT_EQ(colours(), std::pair(cyan, label3AtRest));
}

TEST_F(HelpControllerTest, AboutShowsOneWindowOwnedByTheMainWindow) {
    ui().mnuAbout->trigger();
    ui().mnuAbout->trigger();
    const auto windows = window.findChildren<AboutWindow*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.front()->isVisible());
    const QPoint offCentre = windows.front()->geometry().center() - window.geometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 4) << "placed centred over the main window";
}

TEST_F(HelpControllerTest, FontHelpMovesTheFocusAwayThenShowsOneFontWindow) {
    std::vector<qsizetype> windowsWhenSunk;
    window.context().focusSink = [&] {
        windowsWhenSunk.push_back(window.findChildren<FontWindow*>().size());
    };
    QTest::mouseClick(ui().Command3, Qt::LeftButton);
    QTest::mouseClick(ui().Command3, Qt::LeftButton);
    EXPECT_EQ(windowsWhenSunk, (std::vector<qsizetype>{0, 1}));
    const auto fontWindows = window.findChildren<FontWindow*>();
    ASSERT_EQ(fontWindows.size(), 1);
    EXPECT_TRUE(fontWindows.front()->isVisible());
    EXPECT_FALSE(fontWindows.front()->isModal());
}

}  // namespace
}  // namespace kelvane

static ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new kelvane::testing::QtApplicationEnvironment);
