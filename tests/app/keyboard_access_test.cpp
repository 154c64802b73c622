// The main window from the keyboard: focus, Tab order, Enter and Space,
// shortcuts, and the scrolled small-screen form. Names: the accessibility walk.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "help/web_addresses.h"
#include "main_window_fixture.h"
#include "platform/layout/qt_screen_fit.h"

namespace kelvane {
namespace {

class KeyboardAccessTest : public testing::MainWindowTest {};

TEST_F(KeyboardAccessTest, TabVisitsEveryEnabledControlInReadingOrder) {
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

TEST_F(KeyboardAccessTest, ControlPressedFromTheKeyboardKeepsTheFocus) {
    focusOn(ui().Check1);
    type(Qt::Key_Space);
    EXPECT_TRUE(ui().Check1->isChecked());
    EXPECT_EQ(focused(), "Check1");
    // Enter and Space press the focused button, links too; the focus stays.
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
    EXPECT_EQ(platform.desktop.web,
              (std::vector<QString>{QString::fromStdString(communityHomePage()),
                                    QString::fromStdString(fontBuilderPage())}));
    EXPECT_EQ(focused(), "Label3");
}

// After any mouse click on a button, even on the option already selected,
// the keys typed next reach no switch.
TEST_F(KeyboardAccessTest, MouseClickLeavesTheFocusWithTheSink) {
    QTest::mouseClick(ui().Check7, Qt::LeftButton);
    ASSERT_TRUE(ui().Option4->isChecked());
    ASSERT_EQ(window->state().Dx, "/D3");
    QTest::qWait(0);
    EXPECT_EQ(focused(), "focusSink");

    for (QWidget* alreadySelected : std::initializer_list<QWidget*>{ui().Option4, ui().Option11}) {
        focusOn(ui().text13);
        QTest::mouseClick(alreadySelected, Qt::LeftButton);
        QTest::qWait(0);
        EXPECT_EQ(focused(), "focusSink") << alreadySelected->objectName().toStdString();
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Space, Qt::Key_A}) type(key);
    }
    EXPECT_EQ(window->state().Dx, "/D3");
    EXPECT_TRUE(ui().Option11->isChecked());
    EXPECT_EQ(ui().text13->text(), "OUTFILE.ELF");

    // A click on a spinner does not leave the focus on a field either.
    focusOn(ui().textxhex);
    QTest::mouseClick(ui().VScroll2, Qt::LeftButton, {}, {4, ui().VScroll2->height() - 3});
    QTest::qWait(0);
    EXPECT_EQ(focused(), "focusSink");
}

TEST_F(KeyboardAccessTest, ShortcutsPressTheirButtonsAndAreShownInTheTooltips) {
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
TEST_F(KeyboardAccessTest, OnASmallScreenTheFormScrollsAndPatchIsReached) {
    const QRect area(0, 0, 800, 600);
    ASSERT_GT(window->height(), area.height());
    const ScreenFit* fit = new ScreenFit(window.get(), [area] { return area; });
    QScrollArea* scroll = fit->scrollArea();
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
