// The main window's wiring (spinners, Open, Quit, an installed layout, the
// program style's icons) and its use from the keyboard: focus, Tab order,
// Enter and Space, shortcuts, and the scrolled form on a small screen.

#include <gtest/gtest.h>

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <set>

#include "app/qt_program_style.h"
#include "core/work_folders.h"
#include "main_window_fixture.h"
#include "platform/layout/qt_screen_fit.h"

namespace kelvane {
namespace {

using testing::MainWindowTest;

// Like any vertical scroll bar, the spinners raise their value with the
// lower arrow and lower it with the upper one.
TEST_F(MainWindowTest, LowerSpinnerArrowRaisesTheValue) {
    for (QScrollBar* spinner : {ui().VScroll1, ui().VScroll2}) {
        const QPoint lower(spinner->width() / 2, spinner->height() - 3),
            upper(spinner->width() / 2, 2);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, lower);
        EXPECT_EQ(spinner->value(), 1);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
        EXPECT_EQ(spinner->value(), 0);
    }
}

// The wiring of "Open" to the box and the status panel; the decision itself
// is tested without the window.
TEST_F(MainWindowTest, OpenLoaderShowsItsVerdictInTheBoxAndTheStatusPanel) {
    platform.dialogs.answers = {writeFile("HDL 1.ELF", 2977792), writeFile("other.ELF", 2977791)};
    window->ui().mnuOpen->trigger();
    EXPECT_EQ(label("statusPanel1"), "Loaded: HDL 1.ELF");
    window->ui().mnuOpen->trigger();
    EXPECT_EQ(label("statusPanel1"), "Please load HDL/HDA (unpacked)");
    EXPECT_EQ(platform.messages.shown.size(), 2u);
}

TEST_F(MainWindowTest, QuitClosesTheWindowAndClearsThePreviewDirectory) {
    QDir kitDirectory(kitDir.path());
    ASSERT_TRUE(kitDirectory.mkdir("hdl_gfx_tmp"));
    writeFile("hdl_gfx_tmp/hdl_main.bmp", 10);
    window->ui().mnuClose->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(kitDirectory.exists("hdl_gfx_tmp"));
    EXPECT_TRUE(platform.messages.shown.empty());
}

// Installed apart from its data (the kit), working in a per-user folder:
// outputs and the missing-tool advice name the per-user folder, read-mes come
// from the kit, and a tool found by the search is the one run (its order is
// tested without the window).
TEST_F(MainWindowTest, InstalledOutputsAndAdviceNameTheWorkFolderReadMesAndToolsTheKit) {
    const std::string sep(1, QDir::separator().toLatin1());
    const auto native = [&](const char* name) {
        const QString path = QDir(kitDir.path()).filePath(QString::fromLatin1(name));
        QDir().mkpath(path);
        return QDir::toNativeSeparators(path).toStdString();
    };
    const std::string kit = native("usr/share/k"), perUser = native("home/.local/share/k");
    const WorkFolders folders =
        decideWorkFolders({native("usr/bin"), sep[0], true, kit, perUser, {}});
    std::set<std::string> present;
    MainWindow installed(folders.work().withToolSearch(makeToolSearch(
                             folders, [&](const std::string& p) { return present.count(p) > 0; })),
                         folders.kit(), platform.services());
    EXPECT_EQ(installed.state().Text2, perUser + sep + "OUTFILE.ELF");
    installed.ui().mnuHDLReadme->trigger();
    EXPECT_EQ(
        platform.desktop.notepad,
        std::vector{QString::fromStdString(kit + sep + "README" + sep + "HDL PATCH README.txt")});

    installed.state().openelf = writeFile("LOADER.ELF", 2977792).toStdString();
    installed.state().textxhex = "82";
    installed.state().textyhex = "2D";
    platform.runner.outcomes.push_back(ToolOutcome::notStarted("it does not exist"));
    installed.ui().Command2->click();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    const std::string text = platform.messages.shown[0].text.toStdString();
    EXPECT_NE(
        text.find("Put the real hdlpatch.exe into this folder:\n" + perUser + sep + "tools\n"),
        std::string::npos)
        << text;
    const std::string inKit = folders.toolCandidates(Tool::HdlPatch)[0];
    present = {inKit};
    installed.ui().Command2->click();
    ASSERT_EQ(platform.runner.calls.size(), 2u);
    EXPECT_TRUE(platform.runner.calls[1].step.commandLine.starts_with("\"" + inKit + "\""))
        << platform.runner.calls[1].step.commandLine;
}

int paintedDots(const QIcon& icon) {
    const QImage image =
        icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_Alpha8);
    return int(std::count_if(image.constBits(), image.constBits() + image.sizeInBytes(),
                             [](uchar alpha) { return alpha > 0; }));
}

// The overflow arrows are drawn, point their own ways, and every other icon
// still comes from the style underneath.
TEST(ProgramStyle, DrawsTheOverflowArrowsAndLeavesOtherIconsToTheStyle) {
    ProgramStyle style(QStringLiteral("Fusion"));
    const QIcon across = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    const QIcon down = style.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton);
    for (const QIcon& icon : {across, down, style.standardIcon(QStyle::SP_MessageBoxWarning)})
        EXPECT_GT(paintedDots(icon), 4);
    EXPECT_NE(across.pixmap(QSize(16, 16)).toImage(), down.pixmap(QSize(16, 16)).toImage());
}

TEST_F(MainWindowTest, TabVisitsEveryEnabledControlInReadingOrder) {
    focusOn(ui().Check1);
    QStringList visited{focused()};
    do {
        type(Qt::Key_Tab);
        visited.push_back(focused());
    } while (visited.last() != visited.first() && visited.size() < 60);
    visited.removeLast();  // back at the start
    const QStringList expected = {
        "Check1",   "Check2", "Check3",     "Check4",    "Check5",   "Check6",    "Check7",
        "Option11", "textx",  "textxhex",   "VScroll2",  "texty",    "textyhex",  "VScroll1",
        "Command1", "pal",    "ntsc",       "Command13", "Command8", "textfont",  "Command4",
        "Command3", "Label3", "textbutton", "Command14", "Command9", "Command10", "Command7",
        "Command5", "Label2", "text13",     "Command2",  "Check8"};
    EXPECT_EQ(visited.join(' ').toStdString(), expected.join(' ').toStdString());
}

// Enter presses the focused button, Enter or Space a link; the focus stays.
TEST_F(MainWindowTest, ControlPressedFromTheKeyboardKeepsTheFocus) {
    focusOn(ui().ntsc);
    type(Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ui().textyhex->text() == "2D"; }));
    EXPECT_EQ(focused(), "ntsc");
    // A help button's box answered, the button still has the focus.
    focusOn(ui().Command1);
    type(Qt::Key_Enter);
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.messages.shown.size() == 1; }));
    EXPECT_EQ(focused(), "Command1");
    focusOn(ui().Label2);
    type(Qt::Key_Return);
    focusOn(ui().Label3);
    type(Qt::Key_Space);
    EXPECT_EQ(platform.desktop.web.size(), 2u);  // which pages: the help window test
    EXPECT_EQ(focused(), "Label3");
}

// After any mouse click on a button, even on the option already selected,
// the keys typed next reach no switch.
TEST_F(MainWindowTest, MouseClickLeavesTheFocusWithTheSink) {
    // Check7 selects Option4 (/D3); the clicks after it change nothing.
    for (QWidget* clicked :
         std::initializer_list<QWidget*>{ui().Check7, ui().Option4, ui().Option11}) {
        focusOn(ui().text13);
        QTest::mouseClick(clicked, Qt::LeftButton);
        QTest::qWait(0);
        EXPECT_EQ(focused(), "focusSink") << clicked->objectName().toStdString();
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Space, Qt::Key_A}) type(key);
    }
    EXPECT_TRUE(ui().Check7->isChecked() && ui().Option4->isChecked());
    EXPECT_EQ(window->state().Dx, "/D3");
    EXPECT_TRUE(ui().Option11->isChecked());
    EXPECT_EQ(ui().text13->text(), "OUTFILE.ELF");

    // A click on a spinner does not leave the focus on a field either.
    focusOn(ui().textxhex);
    QTest::mouseClick(ui().VScroll2, Qt::LeftButton, {}, {4, ui().VScroll2->height() - 3});
    QTest::qWait(0);
    EXPECT_EQ(focused(), "focusSink");
}

TEST_F(MainWindowTest, ShortcutsPressTheirButtonsAndAreShownInTheTooltips) {
    ui().Command6->setEnabled(true);
    const std::pair<QPushButton*, QKeySequence> rows[] = {
        {ui().Command2, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {ui().Command13, QKeySequence(Qt::CTRL | Qt::Key_E)},
        {ui().Command8, QKeySequence(Qt::CTRL | Qt::Key_1)},
        {ui().Command6, QKeySequence(Qt::CTRL | Qt::Key_2)},
    };
    for (const auto& [button, keys] : rows) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_TRUE(button->toolTip().contains(keys.toString(QKeySequence::NativeText)));
        QSignalSpy pressed(button, &QAbstractButton::clicked);
        focusOn(ui().Check1);
        QTest::keySequence(window.get(), keys);
        EXPECT_TRUE(pressed.wait(1000) || pressed.size() == 1);
        QApplication::closeAllWindows();  // message boxes are fakes; nothing else opens
        showActive();
    }
}

// On a small screen the window fits with its frame, the form scrolls between
// menu and status bar, and "Patch" reached with Tab is scrolled into view.
TEST_F(MainWindowTest, OnASmallScreenTheFormScrollsAndPatchIsReached) {
    const QRect area(0, 0, 800, 600);
    ASSERT_GT(window->height(), area.height());
    QScrollArea* scroll = (new ScreenFit(window.get(), [area] { return area; }))->scrollArea();
    ASSERT_NE(scroll, nullptr);
    // Fitted, the status bar at its foot (across, its own texts may make it
    // wider than a window this narrow).
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QRect bar = window->statusBar()->geometry();
        return window->frameGeometry().height() <= area.height() && bar.top() >= 0 &&
               bar.bottom() == window->rect().bottom() && bar.left() == 0;
    }));
    EXPECT_GT(window->height(), area.height() - 50);
    EXPECT_LE(window->frameGeometry().width(), area.width());
    EXPECT_TRUE(window->rect().contains(window->menuBar()->geometry()));

    const auto patchInView = [&] {
        const QRect patch(ui().Command2->mapTo(scroll->viewport(), QPoint(0, 0)),
                          ui().Command2->size());
        return scroll->viewport()->rect().contains(patch);
    };
    focusOn(ui().text13);
    scroll->verticalScrollBar()->setValue(0);
    EXPECT_FALSE(patchInView());
    type(Qt::Key_Tab);
    EXPECT_EQ(focused(), "Command2");
    EXPECT_TRUE(patchInView());

    // Pressed with the mouse, the focus goes to the sink; the form stays put.
    QTest::mouseClick(ui().Command2, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return focused() == "focusSink"; }));
    EXPECT_TRUE(patchInView());
}

}  // namespace
}  // namespace kelvane
