#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "platform/qt_process_runner_impl.h"

using namespace kelvane;
using namespace std::chrono_literals;

namespace {

const QString kProbe = QString::fromUtf8(KELVANE_PROCESS_PROBE);

QString quoted(const QString& path) {
    return '"' + path + '"';
}
QString probeLine(const QString& arguments) {
    return quoted(kProbe) + ' ' + arguments;
}

// Runs the steps with the tool console and acts as its user: `whileRunning`
// sees the log while a tool runs; once Close is enabled the log is read and
// Close pressed.
struct ConsoleRun {
    QList<ToolOutcome> outcomes;
    QStringList log;
    QWidget* modalOver = nullptr;  // the window the console was modal over

    ConsoleRun(QtProcessRunner& runner, const QList<ToolCommand>& steps,
               const std::function<bool(int, const ToolOutcome&)>& proceed = {},
               const std::function<void(QWidget&, const QStringList&)>& whileRunning = {}) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* console = QApplication::activeModalWidget();
            if (!console || console->objectName() != "toolConsole") return;
            if (console->windowModality() == Qt::WindowModal) modalOver = console->parentWidget();
            const QStringList lines =
                console->findChild<QPlainTextEdit*>("toolConsoleLog")->toPlainText().split('\n');
            auto* close = console->findChild<QPushButton*>("toolConsoleClose");
            if (close->isEnabled()) {
                log = lines;
                close->click();
            } else if (whileRunning) {
                whileRunning(*console, lines);
            }
        });
        poll.start(10);
        outcomes = runner.shellWait(steps, WindowStyle::Normal, proceed);
    }
};

}  // namespace

// A program in a directory with blanks, run in a working directory of its
// own: the console shows the command line, both output streams (an unfinished
// last line too) and how it ended, over our window until Close is pressed.
TEST(ProcessRunner, ConsoleShowsTheRunAndArgumentsArriveWhole) {
    QWidget window;
    window.show();
    QTemporaryDir root, workDir;
    const QString program = root.filePath("dir with blanks/probe copy");
    ASSERT_TRUE(QDir(root.path()).mkdir("dir with blanks") && QFile::copy(kProbe, program));
    const QString line = quoted(program) + R"( "with blanks" "" "quote\"inside")" +
                         "\ttab\t\targ --partial=unfinished";

    QtProcessRunner runner(&window);
    const ConsoleRun run(runner, {{line, workDir.path()}});

    EXPECT_EQ(run.modalOver, &window);
    EXPECT_EQ(run.outcomes.size(), 1);
    EXPECT_EQ(
        run.log,
        (QStringList{
            line, "cwd=" + QDir::toNativeSeparators(QFileInfo(workDir.path()).canonicalFilePath()),
            "argc=7", "arg0=" + program, "arg1=with blanks", "arg2=", "arg3=quote\"inside",
            "arg4=tab", "arg5=arg", "arg6=--partial=unfinished", "probe writes to stderr",
            "unfinished", "Completed successfully"}));
}

// Each step's end is told; a step that cannot start does not end the run, and
// `proceed` decides after every step whether the next one runs.
TEST(ProcessRunner, ReportsHowEachStepEndedAndAsksWhetherToGoOn) {
    const QString missing = QDir::temp().filePath("no such dir/hdlpatch.exe");
    QList<int> asked;
    QtProcessRunner runner;
    const ConsoleRun run(runner,
                         {{quoted(missing), {}},
                          {probeLine("--exit=0"), {}},
                          {probeLine("--exit=3"), {}},
                          {probeLine("--crash"), {}},
                          {probeLine("after"), {}}},
                         [&](int step, const ToolOutcome& outcome) {
                             asked << step;
                             return !outcome.crashed;
                         });

    EXPECT_EQ(asked, (QList<int>{0, 1, 2, 3}));
    ASSERT_EQ(run.outcomes.size(), 4);
#ifdef Q_OS_WIN
    // Process creation itself finds the program missing and gives the reason.
    const QString notStarted = "Could not start: " + QDir::toNativeSeparators(missing) + ": ";
#else
    const QString notStarted = "Could not start: " + missing + " does not exist";
#endif
    EXPECT_TRUE(std::any_of(run.log.begin(), run.log.end(), [&](const QString& line) {
        return line.startsWith(notStarted);
    })) << notStarted.toStdString();
    for (const QString& told :
         {QString("Completed successfully"), QString("Failed with exit code 3")})
        EXPECT_TRUE(run.log.contains(told)) << told.toStdString();
    EXPECT_EQ(run.log.last(), "Crashed");
}

// Refused before or at the start, by both ways of starting; a refused start
// never reports an end.
TEST(ProcessRunner, ProgramsThatCannotRunAreReportedNotStarted) {
    QTemporaryDir dir, noWineHere;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    const QString text = write("notes.txt", "notes");
    const QString windows = write("hdlpatch.exe", QByteArray("MZ\x90\x00 not a program", 18));
    // Marked executable but in no format the system can run.
    const QString garbage = write("garbage.exe", "\x7f\x01\x02 neither program nor script");
    QFile::setPermissions(garbage, QFile::permissions(garbage) | QFile::ExeOwner);
    const QString gone = dir.filePath("gone");

#ifdef Q_OS_WIN
    // Windows hands the line to process creation as it is; its reason comes
    // after the program's name.
    const auto refused = [](const QString& path, const QString&) {
        return QDir::toNativeSeparators(path) + ": ";
    };
#else
    const auto refused = [](const QString&, const QString& reason) { return reason; };
#endif
    const QList<QPair<ToolCommand, QString>> cases = {
        {{quoted(text), {}}, refused(text, text + " is not an executable program")},
        {{quoted(dir.path()), {}}, refused(dir.path(), dir.path() + " is a directory")},
        {{quoted(windows) + " a", {}},
         refused(windows, windows + " is a Windows program; install wine to run it")},
        {{quoted(garbage), {}}, refused(garbage, garbage + ": ")},
        {{"   ", {}}, "names no program"},
        {{probeLine("x"), gone},
         "the working directory " + QDir::toNativeSeparators(gone) + " does not exist"},
    };
    QList<ToolCommand> commands;
    for (const auto& refused : cases) commands << refused.first;
    QtProcessRunner runner;
    runner.setWineSearchPath({noWineHere.path()});
    const QList<ToolOutcome> waited = runner.shellWait(commands, WindowStyle::Hidden);
    ASSERT_EQ(waited.size(), cases.size());
    for (qsizetype i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(commands[i].commandLine.toStdString());
        const StartOutcome started = runner.shellStart(
            commands[i], WindowStyle::Hidden, [](const ToolOutcome&) { ADD_FAILURE() << "ended"; });
        EXPECT_FALSE(waited[i].started || started.started);
        for (const QString& error : {waited[i].error, started.error})
            EXPECT_TRUE(error.contains(cases[i].second)) << error.toStdString();
    }
    QCoreApplication::processEvents();
}

// Stop ends the run at once: a tool that ignores the polite request to end is
// killed, and the next step never starts whatever `proceed` says.
TEST(ProcessRunner, StopEndsTheToolAndTheRun) {
    QtProcessRunner runner;
    runner.setStopGracePeriod(200ms);
    const ConsoleRun run(
        runner, {{probeLine("--ignore-term --sleep=60000"), {}}, {probeLine("next"), {}}},
        [](int, const ToolOutcome&) { return true; },
        [](QWidget& console, const QStringList& log) {
            auto* stop = console.findChild<QPushButton*>("toolConsoleStop");
            if (log.contains("ready") && stop->isEnabled()) stop->click();
        });

    ASSERT_EQ(run.outcomes.size(), 1);
    EXPECT_TRUE(run.outcomes[0].started && run.outcomes[0].stopped);
    EXPECT_EQ(run.log.last(), "Stopped by user");
}
