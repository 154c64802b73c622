#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#endif

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

#include "platform/qt_process_runner_impl.h"
#include "platform/qt_tool_console.h"
#include "support/fake_services.h"
#include "support/file_bytes.h"

using namespace kelvane;
using kelvane::testing::FakeDesktopServices;
using kelvane::testing::FakeMessageBoxes;
using namespace std::chrono_literals;

namespace {

const QString kProbe = QString::fromUtf8(KELVANE_PROCESS_PROBE);

const auto quoted = [](const QString& path) { return '"' + path + '"'; };
const auto probeLine = [](const QString& arguments) { return quoted(kProbe) + ' ' + arguments; };

// Runs the steps with the tool console and acts as its user: `whileRunning`
// sees the log while a tool runs; once Close is enabled the log is read,
// `atEnd` acts, and Close is pressed.
struct ConsoleRun {
    using Act = std::function<void(ToolConsole&, const QStringList&)>;
    QList<ToolOutcome> outcomes;
    QStringList log;
    QWidget* modalOver = nullptr;  // the window the console was modal over

    ConsoleRun(QtProcessRunner& runner, const QList<ToolCommand>& steps,
               const std::function<bool(int, const ToolOutcome&)>& proceed = {},
               const Act& whileRunning = {}, const Act& atEnd = {}) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* console = qobject_cast<ToolConsole*>(QApplication::activeModalWidget());
            if (!console) return;
            if (console->windowModality() == Qt::WindowModal) modalOver = console->parentWidget();
            const QStringList lines = console->logText().split('\n');
            auto* close = console->findChild<QPushButton*>("toolConsoleClose");
            if (close->isEnabled()) {
                log = lines;
                if (atEnd) atEnd(*console, lines);
                close->click();
            } else if (whileRunning) {
                whileRunning(*console, lines);
            }
        });
        poll.start(10);
        outcomes = runner.shellWait(steps, WindowStyle::Normal, proceed);
    }
};

#ifndef Q_OS_WIN  // process ids and /proc of a POSIX system
// Whether the process ends (or is left as a zombie) within a few seconds.
bool endsSoon(qint64 pid) {
    for (int i = 0; i < 300; ++i) {
        if (::kill(pid_t(pid), 0) != 0) return true;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z ")) return true;
        QTest::qWait(10);
    }
    return false;
}
#endif

void resetPeakMemory() {
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

qint64 peakMemoryKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toLongLong();
    return 0;
}

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
        EXPECT_TRUE(kelvane::testing::writeBytes(dir.filePath(name), bytes));
        return dir.filePath(name);
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

// POSIX process groups and ids; on Windows the tool and its children are
// ended through a Job object, which the Windows tests check with a real tree.
#ifndef Q_OS_WIN
// Stop ends the run at once: the tool and what it started, both ignoring the
// polite request to end, are killed, and the next step never starts whatever
// `proceed` says.
TEST(ProcessRunner, StopEndsTheWholeToolTreeAndTheRun) {
    QtProcessRunner runner;
    runner.setStopGracePeriod(200ms);
    const ConsoleRun run(
        runner, {{probeLine("--spawn --ignore-term --sleep=60000"), {}}, {probeLine("next"), {}}},
        [](int, const ToolOutcome&) { return true; },
        [](ToolConsole& console, const QStringList& log) {
            auto* stop = console.findChild<QPushButton*>("toolConsoleStop");
            if (log.contains("ready") && stop->isEnabled()) stop->click();
        });

    ASSERT_EQ(run.outcomes.size(), 1);
    EXPECT_TRUE(run.outcomes[0].started && run.outcomes[0].stopped);
    EXPECT_EQ(run.log.last(), "Stopped by user");
    const QStringList spawned = run.log.filter(QRegularExpression("^grandchild=\\d+$"));
    ASSERT_EQ(spawned.size(), 1);
    EXPECT_TRUE(endsSoon(spawned[0].section('=', 1).toLongLong()));
}

// Programs still running when the runner goes are ended with all they
// started, even those that ignore the request to end.
TEST(ProcessRunner, RunnerEndsWhatItStartedWhenItGoes) {
    QTemporaryDir dir;
    const QString pidFile = dir.filePath("pids");
    auto runner = std::make_unique<QtProcessRunner>();
    runner->setStopGracePeriod(200ms);
    for (int i = 0; i < 2; ++i) {
        // The probe's output goes to our own, so it is read from a shell.
        const ToolCommand command{"/bin/sh -c \"" + kProbe +
                                      " --spawn --ignore-term --sleep=60000 | grep --line-buffered "
                                      "grandchild= >> " +
                                      pidFile + "\"",
                                  {}};
        ASSERT_TRUE(runner->shellStart(command, WindowStyle::Hidden).started);
    }
    QFile pids(pidFile);
    QTRY_VERIFY_WITH_TIMEOUT(
        pids.open(QIODevice::ReadOnly) && pids.readAll().count('\n') == 2 && (pids.close(), true),
        5000);
    pids.close();
    runner.reset();
    ASSERT_TRUE(pids.open(QIODevice::ReadOnly));
    for (const QByteArray& line : pids.readAll().trimmed().split('\n'))
        EXPECT_TRUE(endsSoon(line.mid(line.indexOf('=') + 1).toLongLong())) << line.data();
}
#endif

// The console keeps the last lines, and a line without end costs no more than
// the line limit: 64 MiB printed without a line end leave the program's
// memory nearly unchanged.
TEST(ProcessRunner, ConsoleKeepsTheLastLinesInBoundedMemory) {
    QtProcessRunner runner;
    const ConsoleRun lines(runner, {{probeLine("--lines=20000"), {}}});
    ASSERT_EQ(lines.log.size(), int(OutputLog::kDefaultMaxLines));
    EXPECT_EQ(lines.log.first(), QString("line %1").arg(20002 - OutputLog::kDefaultMaxLines));

    resetPeakMemory();
    const qint64 before = peakMemoryKiB();
    const ConsoleRun flood(runner, {{probeLine("--flood=67108864"), {}}});
    const qint64 growthKiB = peakMemoryKiB() - before;
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer holds freed memory back in its quarantine, so the
    // peak says nothing about what the console keeps.
    (void)growthKiB;
#else
    EXPECT_LT(growthKiB, 32 * 1024);
#endif
    ASSERT_GE(flood.log.size(), 2);
    const QString cut = flood.log[flood.log.size() - 2];
    EXPECT_EQ(cut,
              QString(OutputLog::kDefaultMaxLineBytes, 'x') +
                  QString::fromStdString(cutMark((64ull << 20) - OutputLog::kDefaultMaxLineBytes)));
    EXPECT_EQ(flood.log.last(), "Completed successfully");
}

// The console names the job, names the file each step wrote (and says when a
// failing tool left one behind; an empty file was not written), copies the whole log and opens the
// folder of the written file, reporting a failure to do so.
TEST(ProcessRunner, ConsoleNamesTheJobAndTheWrittenFile) {
    QTemporaryDir dir;
    const QString out = dir.filePath("OUT.ELF");
    const QString packed = dir.filePath("PACKED_OUT.ELF");
    FakeDesktopServices desktop;
    FakeMessageBoxes messages;
    QtProcessRunner runner;
    runner.setServices(&desktop, &messages);
    QStringList titles;
    QString copied;
    const ConsoleRun run(
        runner,
        {{probeLine("--sleep=300 --write=" + quoted(out)), {}, "Patching to OUT.ELF", out},
         {probeLine("--sleep=300 --write=" + quoted(packed) + " --exit=1"),
          {},
          "Packing to PACKED_OUT.ELF",
          packed},
         {probeLine("--sleep=300 --empty=" + quoted(packed) + " --exit=255"),
          {},
          "Packing again",
          packed}},
        {},
        [&](ToolConsole& console, const QStringList&) {
            const QString title = console.findChild<QLabel*>("toolConsoleTitle")->text();
            if (!titles.contains(title)) titles << title;
            EXPECT_TRUE(console.findChild<QWidget*>("toolConsoleBusy")->isVisible());
        },
        [&](ToolConsole& console, const QStringList&) {
            EXPECT_FALSE(console.findChild<QWidget*>("toolConsoleBusy")->isVisible());
            console.findChild<QPushButton*>("toolConsoleCopy")->click();
            copied = QGuiApplication::clipboard()->text();
            auto* open = console.findChild<QPushButton*>("toolConsoleOpenFolder");
            open->click();
            desktop.folderSucceeds = false;
            open->click();
        });

    EXPECT_EQ(titles,
              (QStringList{"Patching to OUT.ELF", "Packing to PACKED_OUT.ELF", "Packing again"}));
    EXPECT_TRUE(run.log.contains("Completed successfully, wrote " + QDir::toNativeSeparators(out)));
    EXPECT_TRUE(run.log.contains("Failed with exit code 1; " + QDir::toNativeSeparators(packed) +
                                 " was written but may be incomplete"));
    EXPECT_EQ(run.log.last(), "Failed with exit code 255");
    EXPECT_EQ(copied, run.log.join('\n'));
    const QString folder = QDir::toNativeSeparators(dir.path());
    EXPECT_EQ(desktop.folders, (std::vector<QString>{folder, folder}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(folder));
}
