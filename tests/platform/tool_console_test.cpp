// The tool console as its user and assistive technology meet it.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "platform/console/qt_console_log_view.h"
#include "platform/console/qt_tool_console.h"
#include "support/fake_services.h"

using namespace kelvane;

namespace {

class ToolConsoleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        console.resize(400, 300);
        console.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&console));
        console.stepStarted({std::nullopt, {}, "tool --flag", {}, "Patching"});
    }

    kelvane::testing::FakeDesktopServices desktop;
    kelvane::testing::FakeMessageBoxes messages;
    ToolConsole console{nullptr, &desktop, &messages};
    ConsoleLogView* view = console.findChild<ConsoleLogView*>("toolConsoleLog");
};

// Once the log is read, a burst of output is announced at once and, with its
// newest whole line, when the interval is over. A huge log reads as its newest
// lines only, up to 256 K characters, with offsets that hold on screen.
TEST_F(ToolConsoleTest, LogReadsAsItsNewestLinesAndAnnouncesTheNewestLinePaced) {
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(view)->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), console.logText().size());
    QSignalSpy announced(view, &ConsoleLogView::announced);
    for (int i = 0; i < 5000; ++i) {
        console.stepOutput(QStringLiteral("%1 ").arg(i, 4).toStdString() + std::string(1994, 'x') +
                           "\n");
        if (i % 100 == 99) console.refreshNow();
    }
    console.stepOutput("a line still being prin");
    console.refreshNow();
    EXPECT_EQ(announced.size(), 1);
    EXPECT_TRUE(announced.wait(1000));
    QTest::qWait(400);
    ASSERT_EQ(announced.size(), 2);
    const int offset = announced[1][0].toInt();
    EXPECT_TRUE(announced[1][1].toString().startsWith("4999 x"));

    const int count = text->characterCount();
    EXPECT_LE(count, 256 * 1024);
    EXPECT_GT(count, 250 * 1024);
    const QString whole = text->text(0, count);
    EXPECT_TRUE(console.logText().endsWith(whole));
    EXPECT_TRUE(whole.startsWith(QStringLiteral("%1 ").arg(5000 - count / 2000, 4)))
        << whole.left(8).toStdString();
    EXPECT_EQ(offset, whole.lastIndexOf("4999 "));
    EXPECT_EQ(text->cursorPosition(), whole.lastIndexOf("a line still"));
    EXPECT_FALSE(text->characterRect(offset).isEmpty());
    EXPECT_TRUE(text->characterRect(0).isEmpty());
    EXPECT_EQ(text->offsetAtPoint(text->characterRect(offset + 2).center()), offset + 2);
}

// A closing line too long for any line wraps inside the window; it is the
// outcome's name, and Close, which takes the focus, says it too. Copy takes the
// whole log; Open Folder opens the file's folder and reports a failure.
TEST_F(ToolConsoleTest, ClosingLineWrapsIsSaidAtTheEndAndItsFolderOpens) {
    auto* outcome = console.findChild<QLabel*>("toolConsoleOutcome");
    EXPECT_FALSE(outcome->isVisible());
    const QString folder = QDir::temp().filePath(QString(300, 'x'));
    const JobOutput output{(folder + "/PACKED_" + QString(200, 'y') + ".ELF").toStdString()};
    console.stepEnded(ToolOutcome::exited(255), &output, {true});
    console.finish();

    const QString closing = console.logText().split('\n').last();
    EXPECT_TRUE(closing.startsWith("Failed with exit code 255")) << closing.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome->isVisible(); }));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(outcome)->text(QAccessible::Name), closing);
    EXPECT_LE(outcome->geometry().right(), console.contentsRect().right());
    EXPECT_LT(outcome->minimumSizeHint().width(), 200);
    EXPECT_GT(outcome->height(), 3 * outcome->fontMetrics().height());
    auto* close = console.findChild<QPushButton*>("toolConsoleClose");
    EXPECT_TRUE(QTest::qWaitFor([&] { return close->hasFocus(); }));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(close)->text(QAccessible::Description),
              closing);

    console.findChild<QPushButton*>("toolConsoleCopy")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), console.logText());
    auto* open = console.findChild<QPushButton*>("toolConsoleOpenFolder");
    open->click();
    desktop.folderSucceeds = false;
    open->click();
    EXPECT_EQ(desktop.folders, (std::vector<QString>(2, QDir::toNativeSeparators(folder))));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QDir::toNativeSeparators(folder)));
}

}  // namespace
