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

#include "platform/console/qt_job_views.h"
#include "platform/console/qt_tool_console.h"
#include "platform/process/qt_tool_runner.h"
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

ToolStep stepOf(const QString& commandLine, const QString& workingDirectory = {}) {
    return {std::nullopt, {}, commandLine.toStdString(), workingDirectory.toStdString()};
}

ToolJob jobOf(const QStringList& commandLines) {
    ToolJob job;
    for (const QString& line : commandLines) job.steps.push_back(stepOf(line));
    return job;
}

// Runs the job in the tool console and acts as its user: `whileRunning` sees
// the log while a tool runs; once Close is enabled the log is read, `atEnd`
// acts, and Close is pressed.
struct ConsoleRun {
    using Act = std::function<void(ToolConsole&, const QStringList&)>;
    ToolJobResult result;
    QStringList log;
    QWidget* modalOver = nullptr;  // the window the console was modal over

    ConsoleRun(QtToolRunner& runner, const ToolJob& job, const ConsolePlace& place = {},
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
TEST(ToolRunner, ConsoleShowsTheRunAndArgumentsArriveWhole) {
    QWidget window;
    window.show();
    QTemporaryDir root, workDir;
    const QString program = root.filePath("dir with blanks/probe copy");
    ASSERT_TRUE(QDir(root.path()).mkdir("dir with blanks") && QFile::copy(kProbe, program));
    const QString line = quoted(program) + R"( "with blanks" "" "quote\"inside")" +
                         "\ttab\t\targ --partial=unfinished";

    QtToolRunner runner;
    const ConsoleRun run(runner, {{stepOf(line, workDir.path())}}, {&window});

    EXPECT_EQ(run.modalOver, &window);
    EXPECT_EQ(run.result.steps.size(), 1u);
    EXPECT_EQ(
        run.log,
        (QStringList{
            line, "cwd=" + QDir::toNativeSeparators(QFileInfo(workDir.path()).canonicalFilePath()),
            "argc=7", "arg0=" + program, "arg1=with blanks", "arg2=", "arg3=quote\"inside",
            "arg4=tab", "arg5=arg", "arg6=--partial=unfinished", "probe writes to stderr",
            "unfinished", "Completed successfully"}));
}

// Each way a tool ends has its closing line, waited for or not; a step that
// did not succeed ends the job.
TEST(ToolRunner, ReportsHowEachStepEndedAndEndsTheJobAtAFailure) {
    const QString missing = QDir::temp().filePath("no such dir/hdlpatch.exe");
#ifdef Q_OS_WIN
    // Process creation itself finds the program missing and gives the reason.
    const QString notStarted = "Could not start: " + QDir::toNativeSeparators(missing) + ": ";
#else
    const QString notStarted = "Could not start: " + missing + " does not exist";
#endif
    const QList<QPair<QString, QString>> rows = {
        {quoted(missing), notStarted},
        {probeLine("--exit=0"), "Completed successfully"},
        {probeLine("--exit=3"), "Failed with exit code 3"},
        {probeLine("--crash"), "Crashed"},
    };
    QtToolRunner runner;
    for (const auto& [line, told] : rows) {
        SCOPED_TRACE(line.toStdString());
        const ToolJob job = jobOf({line, probeLine("after")});
        const bool goesOn = told == "Completed successfully";
        const ConsoleRun run(runner, job);
        EXPECT_EQ(run.result.steps.size(), goesOn ? 2u : 1u);
        EXPECT_TRUE(run.log.contains("Completed successfully") == goesOn &&
                    std::any_of(run.log.begin(), run.log.end(),
                                [&](const QString& l) { return l.startsWith(told); }))
            << run.log.join('\n').toStdString();
        ToolJobResult started;
        runner.startJob(job, [&](const ToolJobResult& r) { started = r; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return !started.steps.empty(); }, 10000));
        EXPECT_EQ(started.steps.size(), run.result.steps.size());
        EXPECT_EQ(started.steps[0].end, run.result.steps[0].end);
    }
}

// Refused before or at the start, by both ways of starting.
TEST(ToolRunner, ProgramsThatCannotRunAreReportedNotStarted) {
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
    const QList<QPair<ToolStep, QString>> cases = {
        {stepOf(quoted(text)), refused(text, text + " is not an executable program")},
        {stepOf(quoted(dir.path())), refused(dir.path(), dir.path() + " is a directory")},
        {stepOf(quoted(windows) + " a"),
         refused(windows, windows + " is a Windows program; install wine to run it")},
        {stepOf(quoted(garbage)), refused(garbage, garbage + ": ")},
        {stepOf("   "), "names no program"},
        {stepOf(probeLine("x"), gone),
         "the working directory " + QDir::toNativeSeparators(gone) + " does not exist"},
    };
    QtToolRunner runner;
    runner.setWineSearchPath({noWineHere.path()});
    for (const auto& [step, reason] : cases) {
        SCOPED_TRACE(step.commandLine);
        const ToolJob job{{step}};
        std::vector<ToolOutcome> ends = runner.runJob(job, nullptr).steps;
        runner.startJob(job, [&](const ToolJobResult& r) { ends.push_back(r.steps.at(0)); });
        ASSERT_EQ(ends.size(), 2u);  // a refused start ends at once
        for (const ToolOutcome& end : ends) {
            EXPECT_FALSE(end.started());
            EXPECT_NE(end.error.find(reason.toStdString()), std::string::npos) << end.error;
        }
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
        runner, jobOf({probeLine("--spawn --ignore-term --sleep=60000"), probeLine("next")}), {},
        [](ToolConsole& console, const QStringList& log) {
            auto* stop = console.findChild<QPushButton*>("toolConsoleStop");
            if (log.contains("ready") && stop->isEnabled()) stop->click();
        });

    ASSERT_EQ(run.result.steps.size(), 1u);
    EXPECT_EQ(run.result.steps[0].end, ToolOutcome::End::Stopped);
    EXPECT_EQ(run.log.last(), "Stopped by user");
    const QStringList spawned = run.log.filter(QRegularExpression("^grandchild=\\d+$"));
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
    const ToolJob job = jobOf({"/bin/sh -c \"" + kProbe +
                               " --spawn --ignore-term --sleep=60000 | grep --line-buffered "
                               "grandchild= >> " +
                               pidFile + "\""});
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

// The console keeps the last lines, and a line without end costs no more than
// the line limit: 64 MiB printed without a line end leave the program's
// memory nearly unchanged.
TEST(ToolRunner, ConsoleKeepsTheLastLinesInBoundedMemory) {
    QtToolRunner runner;
    const ConsoleRun lines(runner, jobOf({probeLine("--lines=20000")}));
    ASSERT_EQ(lines.log.size(), int(OutputLog::kDefaultMaxLines));
    EXPECT_EQ(lines.log.first(), QString("line %1").arg(20002 - OutputLog::kDefaultMaxLines));

    resetPeakMemory();
    const qint64 before = peakMemoryKiB();
    const ConsoleRun flood(runner, jobOf({probeLine("--flood=67108864")}));
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

// The console names the job and, by the rule the verdict uses, what became of
// each step's file: written, left behind by a failing tool, written but not
// what it must be (the job then ends), or not written (an empty file holds
// nothing written). It copies the whole log and opens the folder of the
// written file, reporting a failure to do so; the result says the same.
TEST(ToolRunner, ConsoleAndResultAgreeOnTheWrittenFile) {
    QTemporaryDir dir;
    const QString out = dir.filePath("OUT.ELF");
    const QString packed = dir.filePath("PACKED_OUT.ELF");
    const OutputCheck textIsUseless = [](const std::string&) {
        return std::optional<std::string>("a text file");
    };
    FakeDesktopServices desktop;
    FakeMessageBoxes messages;
    QtToolRunner runner;
    const auto step = [&](const QString& args, const char* title, std::size_t output) {
        ToolStep s = stepOf(probeLine("--sleep=300 " + args));
        s.title = title;
        s.output = output;
        return s;
    };
    ToolJob job{{step("--write=" + quoted(out), "Patching to OUT.ELF", 0),
                 step("--write=" + quoted(packed) + " --exit=1", "Packing to PACKED_OUT.ELF", 1),
                 step("--empty=" + quoted(packed), "Packing again", 1)},
                {{out.toStdString()}, {packed.toStdString()}}};
    QStringList titles;
    QString copied;
    const ConsolePlace place{nullptr, &desktop, &messages};
    const auto watch = [&](ToolConsole& console, const QStringList&) {
        const QString title = console.findChild<QLabel*>("toolConsoleTitle")->text();
        if (!titles.contains(title)) titles << title;
        EXPECT_TRUE(console.findChild<QWidget*>("toolConsoleBusy")->isVisible());
    };
    const ConsoleRun failed(
        runner, job, place, watch, [&](ToolConsole& console, const QStringList&) {
            EXPECT_FALSE(console.findChild<QWidget*>("toolConsoleBusy")->isVisible());
            console.findChild<QPushButton*>("toolConsoleCopy")->click();
            copied = QGuiApplication::clipboard()->text();
            auto* open = console.findChild<QPushButton*>("toolConsoleOpenFolder");
            open->click();
            desktop.folderSucceeds = false;
            open->click();
        });
    EXPECT_EQ(titles, (QStringList{"Patching to OUT.ELF", "Packing to PACKED_OUT.ELF"}));
    EXPECT_TRUE(
        failed.log.contains("Completed successfully, wrote " + QDir::toNativeSeparators(out)));
    EXPECT_EQ(failed.log.last(), "Failed with exit code 1; " + QDir::toNativeSeparators(packed) +
                                     " was written but may be incomplete");
    EXPECT_EQ(copied, failed.log.join('\n'));
    const QString folder = QDir::toNativeSeparators(dir.path());
    EXPECT_EQ(desktop.folders, (std::vector<QString>{folder, folder}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(folder));

    // Rerun with the failure mended: the packed file is useless, then empty.
    job.steps[1] = step("--write=" + quoted(packed), "Packing", 1);
    job.outputs[1].check = textIsUseless;
    job.outputs[1].mustBe = "a PS2 program";
    const ConsoleRun useless(runner, job);
    EXPECT_EQ(useless.log.last(), "Wrote " + QDir::toNativeSeparators(packed) +
                                      ", but it is not a PS2 program (it is a text file)");
    ASSERT_EQ(useless.result.outputs.size(), 2u);
    EXPECT_EQ(useless.result.outputs[1].unusable, "a text file");
    EXPECT_EQ(useless.result.steps.size(), 2u);

    job.outputs[1].check = nullptr;
    job.steps.erase(job.steps.begin() + 1);
    const ConsoleRun empty(runner, job);
    EXPECT_EQ(empty.log.last(),
              "Completed, but " + QDir::toNativeSeparators(packed) + " was not written");
    EXPECT_FALSE(empty.result.outputs[1].written);
}
