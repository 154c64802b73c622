#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#endif

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/console/qt_job_views.h"
#include "platform/console/qt_tool_console.h"
#include "platform/process/qt_tool_runner.h"
#include "support/file_bytes.h"

using namespace kelvane;
using namespace std::chrono_literals;

namespace {

const QString kProbe = QString::fromUtf8(KELVANE_PROCESS_PROBE);

const auto quoted = [](const QString& path) { return '"' + path + '"'; };
const auto probeLine = [](const QString& arguments) { return quoted(kProbe) + ' ' + arguments; };

ToolStep stepOf(const QString& line, const QString& dir = {},
                std::optional<std::size_t> output = {}) {
    ToolStep step{std::nullopt, {}, line.toStdString(), dir.toStdString()};
    step.output = output;
    return step;
}

// Runs the job in the tool console and acts as its user: `whileRunning` sees
// the console while a tool runs; once Close is enabled the log is read and
// Close is pressed.
struct ConsoleRun {
    ToolJobResult result;
    QStringList log;
    QWidget* modalOver = nullptr;  // the window the console was modal over

    ConsoleRun(QtToolRunner& runner, const ToolJob& job, const ConsolePlace& place = {},
               const std::function<void(ToolConsole&)>& whileRunning = {}) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* console = qobject_cast<ToolConsole*>(QApplication::activeModalWidget());
            if (!console) return;
            if (console->windowModality() == Qt::WindowModal) modalOver = console->parentWidget();
            auto* close = console->findChild<QPushButton*>("toolConsoleClose");
            if (!close->isEnabled()) {
                if (whileRunning) whileRunning(*console);
                return;
            }
            log = console->logText().split('\n');
            close->click();
        });
        poll.start(10);
        result = runInToolConsole(runner, job, place);
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

// The peak resident memory of this process in KiB; `restart` starts a new peak.
qint64 peakMemoryKiB(bool restart = false) {
    if (QFile clear("/proc/self/clear_refs"); restart && clear.open(QIODevice::WriteOnly))
        clear.write("5");
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toLongLong();
    return 0;
}

}  // namespace

// Each end has its closing line, saying what became of the step's file (an
// empty one holds nothing written). Only a success with a usable file lets the
// next step run, in its working directory, with both output streams shown over
// our window. A job started without waiting ends the same way.
TEST(ToolRunner, EachEndHasItsClosingLineAndOnlyASuccessGoesOn) {
    QWidget window;
    window.show();
    QTemporaryDir dir, noWineHere, workDir;
    const QString next = probeLine("--partial=unfinished");
    const QString cwd = QDir::toNativeSeparators(QFileInfo(workDir.path()).canonicalFilePath());
    const QStringList nextLog =
        QString(
            "%1\ncwd=%2\nargc=2\narg0=%3\narg1=--partial=unfinished\nprobe writes to stderr\n"
            "unfinished\nCompleted successfully")
            .arg(next, cwd, kProbe)
            .split('\n');
    const auto write = [&](const char* name, const QByteArray& bytes) {
        EXPECT_TRUE(kelvane::testing::writeBytes(dir.filePath(name), bytes));
        return dir.filePath(name);
    };
    const QString text = write("notes.txt", "notes");
    const QString windows = write("hdlpatch.exe", QByteArray("MZ\x90\x00 not a program", 18));
    // Marked executable but in no format the system can run.
    const QString garbage = write("garbage.exe", "\x7f\x01\x02 neither program nor script");
    QFile::setPermissions(garbage, QFile::permissions(garbage) | QFile::ExeOwner);
    const QString gone = dir.filePath("gone"), out = QDir::toNativeSeparators(dir.filePath("OUT"));
    const QString packed = QDir::toNativeSeparators(dir.filePath("PACKED"));
    const OutputCheck useless = [](auto&) {
        return std::make_optional<std::string>("a text file");
    };
    // Windows hands the line to process creation as it is; its reason comes
    // after the program's name.
    const auto refused = []([[maybe_unused]] const QString& path,
                            [[maybe_unused]] const QString& why) {
#ifdef Q_OS_WIN
        return "Could not start: " + QDir::toNativeSeparators(path) + ": ";
#else
        return "Could not start: " + why;
#endif
    };
    const auto writing = [&](const QString& args, std::size_t output) {
        return stepOf(probeLine(args), {}, output);
    };
    const QList<QPair<ToolStep, QString>> rows = {
        {writing("--write=" + quoted(out), 0), "Completed successfully, wrote " + out},
        {writing("--write=" + quoted(out) + " --exit=3", 0),
         "Failed with exit code 3; " + out + " was written but may be incomplete"},
        {writing("--write=" + quoted(packed), 1),
         "Wrote " + packed + ", but it is not a PS2 program (it is a text file)"},
        {writing("--empty=" + quoted(packed), 1), "Completed, but " + packed + " was not written"},
        {stepOf(probeLine("--crash")), "Crashed"},
        {stepOf(quoted(gone)), refused(gone, gone + " does not exist")},
        {stepOf(quoted(text)), refused(text, text + " is not an executable program")},
        {stepOf(quoted(dir.path())), refused(dir.path(), dir.path() + " is a directory")},
        {stepOf(quoted(windows) + " a"),
         refused(windows, windows + " is a Windows program; install wine to run it")},
        {stepOf(quoted(garbage)), refused(garbage, garbage + ": ")},
        {stepOf("   "), "Could not start: the command line names no program"},
        {stepOf(probeLine("x"), gone), "Could not start: the working directory " +
                                           QDir::toNativeSeparators(gone) + " does not exist"},
    };
    QtToolRunner runner;
    runner.setWineSearchPath({noWineHere.path()});
    for (const auto& [step, closing] : rows) {
        SCOPED_TRACE(step.commandLine);
        const ToolJob job{{step, stepOf(next, workDir.path())},
                          {{out.toStdString()}, {packed.toStdString(), useless, "a PS2 program"}}};
        const bool goesOn = closing.startsWith("Completed successfully");
        const ConsoleRun run(runner, job, {&window});
        EXPECT_EQ(run.modalOver, &window);
        ASSERT_EQ(run.result.steps.size(), goesOn ? 2u : 1u);
        EXPECT_TRUE(run.log.contains(closing) || run.log.last().startsWith(closing))
            << run.log.join('\n').toStdString();
        EXPECT_EQ(run.log.mid(run.log.size() - nextLog.size()) == nextLog, goesOn);
        ToolJobResult started;
        runner.startJob(job, [&](const ToolJobResult& r) { started = r; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return !started.steps.empty(); }, 10000));
        ASSERT_EQ(started.steps.size(), run.result.steps.size());
        EXPECT_EQ(started.steps[0].end, run.result.steps[0].end);
        EXPECT_EQ(started.steps[0].error, run.result.steps[0].error);
    }
}

// POSIX process groups and ids; on Windows the tool and its children are
// ended through a Job object, which the Windows tests check with a real tree.
#ifndef Q_OS_WIN
// Stop ends the job at once: the tool and what it started, both ignoring the
// polite request to end, are killed, and the next step never starts.
TEST(ToolRunner, StopEndsTheWholeToolTreeAndTheJob) {
    QtToolRunner runner;
    runner.setStopGracePeriod(200ms);
    const ConsoleRun run(
        runner,
        {{stepOf(probeLine("--spawn --ignore-term --sleep=60000")), stepOf(probeLine("next"))}}, {},
        [](ToolConsole& console) {
            auto* stop = console.findChild<QPushButton*>("toolConsoleStop");
            if (console.logText().contains("ready") && stop->isEnabled()) stop->click();
        });

    ASSERT_EQ(run.result.steps.size(), 1u);
    EXPECT_EQ(run.result.steps[0].end, ToolOutcome::End::Stopped);
    EXPECT_EQ(run.log.last(), "Stopped by user");
    const QStringList spawned = run.log.filter("grandchild=");
    ASSERT_EQ(spawned.size(), 1);
    EXPECT_TRUE(endsSoon(spawned[0].section('=', 1).toLongLong()));
}

// Programs still running when the runner goes are ended with all they
// started, even those that ignore the request to end.
TEST(ToolRunner, RunnerEndsWhatItStartedWhenItGoes) {
    QTemporaryDir dir;
    const QString pidFile = dir.filePath("pids");
    auto runner = std::make_unique<QtToolRunner>();
    runner->setStopGracePeriod(200ms);
    // The probe's output goes nowhere, so it is read from a shell.
    const ToolJob job{{stepOf("/bin/sh -c \"" + kProbe +
                              " --spawn --ignore-term --sleep=60000 | grep --line-buffered "
                              "grandchild= >> " +
                              pidFile + "\"")}};
    for (int i = 0; i < 2; ++i)
        runner->startJob(job, [](const ToolJobResult&) { ADD_FAILURE() << "ended"; });
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

// The console keeps the last lines, and 64 MiB printed without a line end
// leave the program's memory nearly unchanged.
TEST(ToolRunner, ConsoleKeepsTheLastLinesInBoundedMemory) {
    QtToolRunner runner;
    const ConsoleRun lines(runner, {{stepOf(probeLine("--lines=20000"))}});
    ASSERT_EQ(lines.log.size(), int(OutputLog::kDefaultMaxLines));
    EXPECT_EQ(lines.log.first(), QString("line %1").arg(20002 - OutputLog::kDefaultMaxLines));

    [[maybe_unused]] const qint64 before = peakMemoryKiB(true);
    const ConsoleRun flood(runner, {{stepOf(probeLine("--flood=67108864"))}});
    // AddressSanitizer holds freed memory back, so there the peak says nothing.
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(peakMemoryKiB() - before, 32 * 1024);
#endif
    const std::size_t max = OutputLog::kDefaultMaxLineBytes;
    ASSERT_GE(flood.log.size(), 2);
    EXPECT_EQ(flood.log[flood.log.size() - 2],
              QString(max, 'x') + QString::fromStdString(cutMark((64ull << 20) - max)));
    EXPECT_EQ(flood.log.last(), "Completed successfully");
}
