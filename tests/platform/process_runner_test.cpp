#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
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
    return '"' + path + '"';
}
QString probeLine(const QString& arguments) {
    return quoted(probe()) + ' ' + arguments;
}

QWidget* visibleConsole() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("toolConsole") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

QPushButton* button(QWidget& console, const char* name) {
    return console.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Runs the steps with the tool console and acts as its user: `whileRunning`
// sees the log while a tool runs; once every step is done the log is read
// and Close pressed.
struct ConsoleRun {
    QList<ToolOutcome> outcomes;
    QStringList log;
    QWidget* consoleParent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;

    ConsoleRun(QtProcessRunner& runner, const QList<ToolCommand>& steps,
               const std::function<void(QWidget&, const QStringList&)>& whileRunning = {},
               const std::function<bool(int, const ToolOutcome&)>& proceed = {}) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* console = visibleConsole();
            if (!console) return;
            consoleParent = console->parentWidget();
            modality = console->windowModality();
            const QStringList lines =
                console->findChild<QPlainTextEdit*>("toolConsoleLog")->toPlainText().split('\n');
            if (button(*console, "toolConsoleClose")->isEnabled()) {
                log = lines;
                button(*console, "toolConsoleClose")->click();
            } else if (whileRunning) {
                whileRunning(*console, lines);
            }
        });
        poll.start(10);
        outcomes = runner.shellWait(steps, WindowStyle::Normal, proceed);
    }
};

}  // namespace

TEST(ProcessRunner, ConsoleShowsCommandLineOutputAndOutcome) {
    QWidget window;
    window.show();
    QTemporaryDir workDir;
    QtProcessRunner runner(&window);
    const ToolCommand command{probeLine("hello --partial=unfinished"), workDir.path()};

    const ConsoleRun run(runner, {command});

    ASSERT_EQ(run.outcomes.size(), 1);
    EXPECT_TRUE(run.outcomes[0].finishedNormally());
    EXPECT_EQ(run.outcomes[0].exitCode, 0);
    // The console stayed open over our window until Close was pressed.
    ASSERT_FALSE(run.log.isEmpty());
    EXPECT_EQ(run.consoleParent, &window);
    EXPECT_EQ(run.modality, Qt::WindowModal);
    EXPECT_EQ(run.log.first(), command.commandLine);
    EXPECT_TRUE(run.log.contains("arg1=hello"));
    EXPECT_TRUE(run.log.contains("probe writes to stderr"));
    EXPECT_TRUE(run.log.contains("cwd=" + QFileInfo(workDir.path()).canonicalFilePath()));
    EXPECT_TRUE(run.log.contains("unfinished"));
    EXPECT_EQ(run.log.last(), "Completed successfully");
}

TEST(ProcessRunner, ConsoleClosesByItselfWhenAskedTo) {
    QtProcessRunner runner;
    runner.setConsoleClosesWhenDone(true);
    // Should the console wait for a user after all, this closes it so that
    // the test fails instead of hanging.
    bool closedByWatchdog = false;
    QTimer::singleShot(10s, [&] {
        if (QWidget* console = visibleConsole()) {
            closedByWatchdog = true;
            button(*console, "toolConsoleClose")->click();
        }
    });
    const auto outcomes = runner.shellWait({{probeLine("--exit=0"), {}}}, WindowStyle::Normal);
    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_TRUE(outcomes[0].started);
    EXPECT_FALSE(closedByWatchdog);
}

TEST(ProcessRunner, ArgumentsWithBlanksAndQuotesArriveWhole) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir("dir with blanks"));
    const QString program = root.filePath("dir with blanks/probe copy");
    ASSERT_TRUE(QFile::copy(probe(), program));

    QtProcessRunner runner;
    const QString line =
        quoted(program) + R"( "an argument with blanks" plain "" "quote\"inside")" + "\ttab\t\targ";
    const ConsoleRun run(runner, {{line, {}}});

    ASSERT_EQ(run.outcomes.size(), 1);
    ASSERT_TRUE(run.outcomes[0].finishedNormally()) << run.outcomes[0].error.toStdString();
    const qsizetype at = run.log.indexOf("argc=7");
    ASSERT_GE(at, 0);
    EXPECT_EQ(run.log.mid(at + 1, 7),
              (QStringList{"arg0=" + program, "arg1=an argument with blanks", "arg2=plain",
                           "arg3=", "arg4=quote\"inside", "arg5=tab", "arg6=arg"}));
}

TEST(ProcessRunner, ReportsHowEachToolEnded) {
    struct Case {
        QString arguments;
        bool crashed;
        int exitCode;
        QString lastLine;
    };
    const QList<Case> cases = {
        {"--exit=0", false, 0, "Completed successfully"},
        {"--exit=3", false, 3, "Failed with exit code 3"},
        {"--crash", true, 0, "Crashed"},
    };
    QtProcessRunner runner;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.toStdString());
        const ConsoleRun run(runner, {{probeLine(c.arguments), {}}});
        ASSERT_EQ(run.outcomes.size(), 1);
        EXPECT_TRUE(run.outcomes[0].started);
        EXPECT_FALSE(run.outcomes[0].stopped);
        EXPECT_EQ(run.outcomes[0].crashed, c.crashed);
        if (!c.crashed) {
            EXPECT_EQ(run.outcomes[0].exitCode, c.exitCode);
        }
        EXPECT_EQ(run.log.last(), c.lastLine);
    }
}

TEST(ProcessRunner, ProgramsThatCannotRunAreReportedNotStarted) {
    QTemporaryDir dir;
    const QString textFile = dir.filePath("notes.txt");
    QFile(textFile).open(QIODevice::WriteOnly);
    const QString windowsProgram = dir.filePath("hdlpatch.exe");
    {
        QFile file(windowsProgram);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("MZ\x90\x00 not really a program", 24);
    }
    // Marked executable but in no format the system can run.
    const QString garbage = dir.filePath("garbage.exe");
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x7f\x01\x02 neither a program nor a script");
    }
    QFile::setPermissions(garbage, QFile::permissions(garbage) | QFile::ExeOwner);
    QTemporaryDir noWineHere;
    const QString missing = dir.filePath("no such dir/hdlpatch.exe");
    const QString gone = dir.filePath("gone");

    const QList<QPair<ToolCommand, QString>> cases = {
        {{quoted(missing) + " /X in", {}}, missing + " does not exist"},
        {{quoted(textFile), {}}, textFile + " is not an executable program"},
        {{quoted(dir.path()), {}}, dir.path() + " is a directory"},
        {{quoted(windowsProgram) + " a", {}},
         windowsProgram + " is a Windows program; install wine to run it"},
        {{quoted(garbage), {}}, garbage + ": "},
        {{"   ", {}}, "names no program"},
        {{probeLine("x"), gone}, "the working directory " + gone + " does not exist"},
    };

    QtProcessRunner runner;
    runner.setWineSearchPath({noWineHere.path()});
    for (const auto& [command, errorPart] : cases) {
        SCOPED_TRACE(command.commandLine.toStdString());
        const auto waited = runner.shellWait({command}, WindowStyle::Hidden);
        ASSERT_EQ(waited.size(), 1);
        EXPECT_FALSE(waited[0].started);
        EXPECT_TRUE(waited[0].error.contains(errorPart)) << waited[0].error.toStdString();

        bool finishedCalled = false;
        const StartOutcome started = runner.shellStart(
            command, WindowStyle::Hidden, [&](const ToolOutcome&) { finishedCalled = true; });
        EXPECT_FALSE(started.started);
        EXPECT_TRUE(started.error.contains(errorPart)) << started.error.toStdString();
        QCoreApplication::processEvents();
        EXPECT_FALSE(finishedCalled);
    }

    // The console says so too, and the run goes on to the next step.
    const ConsoleRun run(runner, {cases[0].first, {probeLine("next"), {}}});
    ASSERT_EQ(run.outcomes.size(), 2);
    EXPECT_TRUE(run.outcomes[1].finishedNormally());
    EXPECT_TRUE(run.log.contains("Could not start: " + missing + " does not exist"));
}

TEST(ProcessRunner, WindowsProgramRunsThroughWine) {
    QTemporaryDir dir;
    const QString wine = dir.filePath("wine");
    const QString tool = dir.filePath("ps2-packer.exe");
    {
        QFile script(wine);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nfor a in \"$@\"; do echo \"wine got=$a\"; done\n");
        QFile program(tool);
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.write("MZ");
    }
    QFile::setPermissions(wine, QFile::permissions(wine) | QFile::ExeOwner);

    QtProcessRunner runner;
    runner.setWineSearchPath({dir.path()});
    const ConsoleRun run(runner, {{quoted(tool) + R"( "in file.elf" out.elf)", {}}});

    ASSERT_EQ(run.outcomes.size(), 1);
    ASSERT_TRUE(run.outcomes[0].finishedNormally()) << run.outcomes[0].error.toStdString();
    const qsizetype at = run.log.indexOf("wine got=" + tool);
    ASSERT_GE(at, 0) << run.log.join('\n').toStdString();
    EXPECT_EQ(run.log.mid(at + 1, 2), (QStringList{"wine got=in file.elf", "wine got=out.elf"}));
}

TEST(ProcessRunner, StopEndsTheToolAndTheRun) {
    // The second tool ignores the polite request to end and must be killed.
    const QList<QPair<QString, QString>> cases = {
        {"--sleep=600000", "argc=2"},
        {"--ignore-term --sleep=600000", "ready"},
    };
    QTemporaryDir dir;
    for (const auto& [arguments, readyLine] : cases) {
        SCOPED_TRACE(arguments.toStdString());
        QtProcessRunner runner;
        runner.setStopGracePeriod(200ms);
        QElapsedTimer clock;
        clock.start();
        const ConsoleRun run(
            runner,
            {{probeLine(arguments), {}}, {probeLine("--touch=second-step-ran"), dir.path()}},
            [&](QWidget& console, const QStringList& log) {
                if (log.contains(readyLine) && button(console, "toolConsoleStop")->isEnabled())
                    button(console, "toolConsoleStop")->click();
            },
            [](int, const ToolOutcome&) { return true; });

        // Left alone, the tool would have slept for ten minutes.
        EXPECT_LT(clock.elapsed(), 60000);
        ASSERT_EQ(run.outcomes.size(), 1);
        EXPECT_TRUE(run.outcomes[0].started);
        EXPECT_TRUE(run.outcomes[0].stopped);
        EXPECT_FALSE(run.outcomes[0].finishedNormally());
        EXPECT_EQ(run.log.last(), "Stopped by user");
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("second-step-ran")));
    }
}

TEST(ProcessRunner, ProceedDecidesWhetherTheNextStepRuns) {
    QTemporaryDir dir;
    QtProcessRunner runner;
    QList<int> asked;
    const auto outcomes =
        runner.shellWait({{probeLine("--touch=first"), dir.path()},
                          {probeLine("--exit=1"), dir.path()},
                          {probeLine("--touch=third"), dir.path()}},
                         WindowStyle::Hidden, [&](int step, const ToolOutcome& outcome) {
                             asked << step;
                             return outcome.finishedNormally() && outcome.exitCode == 0;
                         });

    ASSERT_EQ(outcomes.size(), 2);
    EXPECT_EQ(outcomes[1].exitCode, 1);
    EXPECT_EQ(asked, (QList<int>{0, 1}));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("first")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("third")));
}

TEST(ProcessRunner, HiddenRunKeepsRepaintingButDropsUserInput) {
    QWidget window;
    auto* patch = new QPushButton("Patch", &window);
    window.show();
    int clicks = 0;
    QObject::connect(patch, &QPushButton::clicked, [&] { ++clicks; });

    // Timers go on during the run; the third tick clicks and types.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks != 3) return;
        QTest::mouseClick(patch, Qt::LeftButton);
        QTest::keyClick(patch, Qt::Key_Space);
    });
    ticker.start(10);

    QtProcessRunner runner(&window);
    // Plenty of output that nobody reads must not make the tool wait.
    const auto outcomes =
        runner.shellWait({{probeLine("--lines=200000 --sleep=300"), {}}}, WindowStyle::Hidden);
    ticker.stop();

    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_TRUE(outcomes[0].finishedNormally());
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(visibleConsole(), nullptr);

    // Input reaches the window again once the run is over.
    QTest::mouseClick(patch, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(ProcessRunner, ShellStartRunsInItsOwnDirectoryWithoutWaiting) {
    QTemporaryDir dir;
    const QString ownDirectory = QDir::currentPath();
    QtProcessRunner runner;
    bool finished = false;
    ToolOutcome outcome;

    const StartOutcome start =
        runner.shellStart({probeLine("--sleep=200 --touch=marker --exit=4"), dir.path()},
                          WindowStyle::Hidden, [&](const ToolOutcome& o) {
                              finished = true;
                              outcome = o;
                          });

    ASSERT_TRUE(start.started) << start.error.toStdString();
    EXPECT_FALSE(finished);
    EXPECT_EQ(QDir::currentPath(), ownDirectory);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("marker")));
    EXPECT_FALSE(QFileInfo::exists(QDir(ownDirectory).filePath("marker")));
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.exitCode, 4);

    // The ended process does not linger in the runner.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(runner.findChildren<QProcess*>().isEmpty());
}
