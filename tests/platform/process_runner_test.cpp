#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/qt_process_runner_impl.h"

using namespace kelvane;
using namespace std::chrono_literals;

namespace {

QString probe() {
    return QString::fromUtf8(KELVANE_PROCESS_PROBE);
}
QString quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}
QString probeLine(const QString& arguments) {
    return quoted(probe()) + QLatin1Char(' ') + arguments;
}

// Watches for the tool console during a run, as a user would: acts on it
// while the tool runs and, once every step is done, reads the log and
// presses Close.
class ConsoleDriver : public QObject {
  public:
    ConsoleDriver() {
        connect(&timer_, &QTimer::timeout, this, &ConsoleDriver::poll);
        timer_.start(10);
    }

    std::function<void(QWidget& console, const QString& log)> whileRunning;
    QString finalLog;
    QWidget* consoleParent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    bool sawConsole = false;

    static QStringList lines(const QString& log) { return log.split(QLatin1Char('\n')); }

  private:
    void poll() {
        QWidget* console = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("toolConsole") && widget->isVisible())
                console = widget;
        }
        if (!console) return;
        sawConsole = true;
        consoleParent = console->parentWidget();
        modality = console->windowModality();
        const QString log =
            console->findChild<QPlainTextEdit*>(QStringLiteral("toolConsoleLog"))->toPlainText();
        auto* close = console->findChild<QPushButton*>(QStringLiteral("toolConsoleClose"));
        if (close->isEnabled()) {
            finalLog = log;
            close->click();
        } else if (whileRunning) {
            whileRunning(*console, log);
        }
    }

    QTimer timer_;
};

void pressStop(QWidget& console) {
    auto* stop = console.findChild<QPushButton*>(QStringLiteral("toolConsoleStop"));
    if (stop->isEnabled()) stop->click();
}

}  // namespace

TEST(ProcessRunner, ConsoleShowsCommandLineOutputAndOutcome) {
    QWidget window;
    window.show();
    QTemporaryDir workDir;
    QtProcessRunner runner(&window);
    ConsoleDriver driver;

    const ToolCommand command{probeLine(QStringLiteral("hello --partial=unfinished")),
                              workDir.path()};
    const QList<ToolOutcome> outcomes = runner.shellWait({command}, WindowStyle::Normal);

    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_TRUE(outcomes[0].finishedNormally());
    EXPECT_EQ(outcomes[0].exitCode, 0);
    // The console stayed open until Close was pressed, over our window.
    ASSERT_FALSE(driver.finalLog.isEmpty());
    EXPECT_EQ(driver.consoleParent, &window);
    EXPECT_EQ(driver.modality, Qt::WindowModal);

    const QStringList lines = ConsoleDriver::lines(driver.finalLog);
    EXPECT_EQ(lines.first(), command.commandLine);
    EXPECT_TRUE(lines.contains(QStringLiteral("arg1=hello")));
    EXPECT_TRUE(lines.contains(QStringLiteral("probe writes to stderr")));
    EXPECT_TRUE(lines.contains("cwd=" + QFileInfo(workDir.path()).canonicalFilePath()));
    EXPECT_TRUE(lines.contains(QStringLiteral("unfinished")));
    EXPECT_EQ(lines.last(), QStringLiteral("Completed successfully"));
}

TEST(ProcessRunner, ConsoleClosesByItselfWhenAskedTo) {
    QtProcessRunner runner;
    runner.setConsoleClosesWhenDone(true);
    // Should the console wait for a user after all, this closes it and the
    // test fails instead of hanging.
    bool closedByWatchdog = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("toolConsole") && widget->isVisible()) {
                closedByWatchdog = true;
                widget->findChild<QPushButton*>(QStringLiteral("toolConsoleClose"))->click();
            }
        }
    });
    watchdog.start(10s);

    const auto outcomes =
        runner.shellWait({{probeLine(QStringLiteral("--exit=0")), {}}}, WindowStyle::Normal);
    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_TRUE(outcomes[0].started);
    EXPECT_FALSE(closedByWatchdog);
}

TEST(ProcessRunner, ArgumentsWithBlanksAndQuotesArriveWhole) {
    QTemporaryDir root;
    const QString dir = root.filePath(QStringLiteral("dir with blanks"));
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString program = dir + QStringLiteral("/probe copy");
    ASSERT_TRUE(QFile::copy(probe(), program));
    QFile::setPermissions(program, QFile::permissions(probe()));

    QtProcessRunner runner;
    ConsoleDriver driver;
    const QString line =
        quoted(program) + QStringLiteral(R"( "an argument with blanks" plain "" "quote\"inside")"
                                         "\ttab\t\targ");
    const auto outcomes = runner.shellWait({{line, {}}}, WindowStyle::Normal);

    ASSERT_EQ(outcomes.size(), 1);
    ASSERT_TRUE(outcomes[0].finishedNormally()) << outcomes[0].error.toStdString();
    const QStringList lines = ConsoleDriver::lines(driver.finalLog);
    EXPECT_TRUE(lines.contains("arg0=" + program));
    EXPECT_TRUE(lines.contains(QStringLiteral("argc=7")));
    EXPECT_TRUE(lines.contains(QStringLiteral("arg1=an argument with blanks")));
    EXPECT_TRUE(lines.contains(QStringLiteral("arg2=plain")));
    EXPECT_TRUE(lines.contains(QStringLiteral("arg3=")));
    EXPECT_TRUE(lines.contains(QStringLiteral("arg4=quote\"inside")));
    EXPECT_TRUE(lines.contains(QStringLiteral("arg5=tab")));
    EXPECT_TRUE(lines.contains(QStringLiteral("arg6=arg")));
}

TEST(ProcessRunner, ReportsHowEachToolEnded) {
    struct Case {
        QString arguments;
        bool crashed;
        int exitCode;
        QString lastLine;
    };
    const QList<Case> cases = {
        {QStringLiteral("--exit=0"), false, 0, QStringLiteral("Completed successfully")},
        {QStringLiteral("--exit=3"), false, 3, QStringLiteral("Failed with exit code 3")},
        {QStringLiteral("--crash"), true, 0, QStringLiteral("Crashed")},
    };
    QtProcessRunner runner;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.toStdString());
        ConsoleDriver driver;
        const auto outcomes = runner.shellWait({{probeLine(c.arguments), {}}}, WindowStyle::Normal);
        ASSERT_EQ(outcomes.size(), 1);
        EXPECT_TRUE(outcomes[0].started);
        EXPECT_FALSE(outcomes[0].stopped);
        EXPECT_EQ(outcomes[0].crashed, c.crashed);
        if (!c.crashed) {
            EXPECT_EQ(outcomes[0].exitCode, c.exitCode);
        }
        EXPECT_EQ(ConsoleDriver::lines(driver.finalLog).last(), c.lastLine);
    }
}

TEST(ProcessRunner, ProgramsThatCannotRunAreReportedNotStarted) {
    QTemporaryDir dir;
    const QString textFile = dir.filePath(QStringLiteral("notes.txt"));
    QFile(textFile).open(QIODevice::WriteOnly);
    const QString windowsProgram = dir.filePath(QStringLiteral("hdlpatch.exe"));
    {
        QFile file(windowsProgram);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("MZ\x90\x00 not really a program", 24);
    }
    QTemporaryDir noWineHere;

    struct Case {
        ToolCommand command;
        QString errorPart;
    };
    const QString missing = dir.filePath(QStringLiteral("no such dir/hdlpatch.exe"));
    const QList<Case> cases = {
        {{quoted(missing) + QStringLiteral(" /X in"), {}}, missing + " does not exist"},
        {{quoted(textFile), {}}, textFile + " is not an executable program"},
        {{quoted(dir.path()), {}}, dir.path() + " is a directory"},
        {{quoted(windowsProgram) + QStringLiteral(" a"), {}},
         windowsProgram + " is a Windows program; install wine to run it"},
        {{QStringLiteral("   "), {}}, QStringLiteral("names no program")},
        {{probeLine(QStringLiteral("x")), dir.filePath(QStringLiteral("gone"))},
         "the working directory " + dir.filePath(QStringLiteral("gone")) + " does not exist"},
    };

    QtProcessRunner runner;
    runner.setWineSearchPath({noWineHere.path()});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command.commandLine.toStdString());
        const auto waited = runner.shellWait({c.command}, WindowStyle::Hidden);
        ASSERT_EQ(waited.size(), 1);
        EXPECT_FALSE(waited[0].started);
        EXPECT_TRUE(waited[0].error.contains(c.errorPart)) << waited[0].error.toStdString();

        bool finishedCalled = false;
        const StartOutcome started = runner.shellStart(
            c.command, WindowStyle::Hidden, [&](const ToolOutcome&) { finishedCalled = true; });
        EXPECT_FALSE(started.started);
        EXPECT_TRUE(started.error.contains(c.errorPart)) << started.error.toStdString();
        QCoreApplication::processEvents();
        EXPECT_FALSE(finishedCalled);
    }

    // The console says so too, and the run goes on to the next step.
    ConsoleDriver driver;
    const auto outcomes = runner.shellWait(
        {cases[0].command, {probeLine(QStringLiteral("next")), {}}}, WindowStyle::Normal);
    ASSERT_EQ(outcomes.size(), 2);
    EXPECT_TRUE(outcomes[1].finishedNormally());
    EXPECT_TRUE(ConsoleDriver::lines(driver.finalLog)
                    .contains("Could not start: " + missing + " does not exist"));
}

TEST(ProcessRunner, WindowsProgramRunsThroughWine) {
    QTemporaryDir dir;
    const QString wine = dir.filePath(QStringLiteral("wine"));
    {
        QFile script(wine);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nfor a in \"$@\"; do echo \"wine got=$a\"; done\n");
    }
    QFile::setPermissions(wine, QFile::permissions(wine) | QFile::ExeOwner);
    const QString tool = dir.filePath(QStringLiteral("ps2-packer.exe"));
    {
        QFile file(tool);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("MZ");
    }

    QtProcessRunner runner;
    runner.setWineSearchPath({dir.path()});
    ConsoleDriver driver;
    const auto outcomes = runner.shellWait(
        {{quoted(tool) + QStringLiteral(R"( "in file.elf" out.elf)"), {}}}, WindowStyle::Normal);

    ASSERT_EQ(outcomes.size(), 1);
    ASSERT_TRUE(outcomes[0].finishedNormally()) << outcomes[0].error.toStdString();
    const QStringList lines = ConsoleDriver::lines(driver.finalLog);
    const qsizetype first = lines.indexOf("wine got=" + tool);
    ASSERT_GE(first, 0) << driver.finalLog.toStdString();
    EXPECT_EQ(lines.value(first + 1), QStringLiteral("wine got=in file.elf"));
    EXPECT_EQ(lines.value(first + 2), QStringLiteral("wine got=out.elf"));
}

TEST(ProcessRunner, StopEndsTheToolAndTheRun) {
    struct Case {
        const char* name;
        QString arguments;
        QString readyLine;
    };
    // The second tool ignores the polite request and must be killed.
    const QList<Case> cases = {
        {"polite", QStringLiteral("--sleep=600000"), QStringLiteral("argc=2")},
        {"stubborn", QStringLiteral("--ignore-term --sleep=600000"), QStringLiteral("ready")},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QtProcessRunner runner;
        runner.setStopGracePeriod(200ms);
        ConsoleDriver driver;
        driver.whileRunning = [&](QWidget& console, const QString& log) {
            if (ConsoleDriver::lines(log).contains(c.readyLine)) pressStop(console);
        };
        QElapsedTimer clock;
        clock.start();
        const auto outcomes =
            runner.shellWait({{probeLine(c.arguments), {}},
                              {probeLine(QStringLiteral("--touch=second-step-ran")), dir.path()}},
                             WindowStyle::Normal, [](int, const ToolOutcome&) { return true; });

        // The tool would have slept for ten minutes.
        EXPECT_LT(clock.elapsed(), 60000);
        ASSERT_EQ(outcomes.size(), 1);
        EXPECT_TRUE(outcomes[0].started);
        EXPECT_TRUE(outcomes[0].stopped);
        EXPECT_FALSE(outcomes[0].finishedNormally());
        EXPECT_EQ(ConsoleDriver::lines(driver.finalLog).last(), QStringLiteral("Stopped by user"));
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("second-step-ran"))));
    }
}

TEST(ProcessRunner, ProceedDecidesWhetherTheNextStepRuns) {
    QTemporaryDir dir;
    QtProcessRunner runner;
    QList<int> asked;
    const auto outcomes =
        runner.shellWait({{probeLine(QStringLiteral("--touch=first")), dir.path()},
                          {probeLine(QStringLiteral("--exit=1")), dir.path()},
                          {probeLine(QStringLiteral("--touch=third")), dir.path()}},
                         WindowStyle::Hidden, [&](int step, const ToolOutcome& outcome) {
                             asked << step;
                             return outcome.finishedNormally() && outcome.exitCode == 0;
                         });

    ASSERT_EQ(outcomes.size(), 2);
    EXPECT_EQ(outcomes[1].exitCode, 1);
    EXPECT_EQ(asked, (QList<int>{0, 1}));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("first"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("third"))));
}

TEST(ProcessRunner, HiddenRunKeepsRepaintingButDropsUserInput) {
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Patch"), &window);
    window.show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 3) {
            QTest::mouseClick(button, Qt::LeftButton);
            QTest::keyClick(button, Qt::Key_Space);
        }
    });
    ticker.start(10);

    QtProcessRunner runner(&window);
    // Plenty of output that nobody reads must not make the tool wait.
    const auto outcomes = runner.shellWait(
        {{probeLine(QStringLiteral("--lines=200000 --sleep=300")), {}}}, WindowStyle::Hidden);
    ticker.stop();

    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_TRUE(outcomes[0].finishedNormally());
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(clicks, 0);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_NE(widget->objectName(), QStringLiteral("toolConsole"));

    // Input reaches the window again once the run is over.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(ProcessRunner, ConsoleKeepsOnlyTheLatestLines) {
    QtProcessRunner runner;
    ConsoleDriver driver;
    const auto outcomes =
        runner.shellWait({{probeLine(QStringLiteral("--lines=6000")), {}}}, WindowStyle::Normal);
    ASSERT_EQ(outcomes.size(), 1);
    const QStringList lines = ConsoleDriver::lines(driver.finalLog);
    EXPECT_LE(lines.size(), 5000);
    EXPECT_EQ(lines.value(lines.size() - 2), QStringLiteral("line 6000"));
    EXPECT_EQ(lines.last(), QStringLiteral("Completed successfully"));
}

TEST(ProcessRunner, ShellStartRunsInItsOwnDirectoryWithoutWaiting) {
    QTemporaryDir dir;
    const QString ownDirectory = QDir::currentPath();
    QtProcessRunner runner;
    bool finished = false;
    ToolOutcome outcome;

    const StartOutcome start = runner.shellStart(
        {probeLine(QStringLiteral("--sleep=200 --touch=marker --exit=4")), dir.path()},
        WindowStyle::Hidden, [&](const ToolOutcome& o) {
            finished = true;
            outcome = o;
        });

    ASSERT_TRUE(start.started) << start.error.toStdString();
    EXPECT_FALSE(finished);
    EXPECT_EQ(QDir::currentPath(), ownDirectory);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("marker"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(ownDirectory).filePath(QStringLiteral("marker"))));
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.exitCode, 4);

    // The ended process does not linger in the runner.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(runner.findChildren<QProcess*>().isEmpty());
}
