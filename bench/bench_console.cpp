// What a user feels while a tool prints into the tool console: a real child
// process prints through the real runner into the real console, with the
// console's timers running. Reports, each beside its target:
//   - how late a 10 ms GUI-thread timer fires (longest and 99th percentile),
//     and the most CPU time the GUI thread spent between two of its ticks
//     (lateness beyond that is the machine's, not the program's),
//   - the program's CPU time, in total and per MiB printed,
//   - the growth of the program's peak memory,
//   - the time from the tool's end to the closing line on screen,
//   - how long the tool ran, against the same tool writing into a pipe that
//     cat empties into /dev/null.
//
// The "reader" scenario has a screen reader's part played: accessibility is
// active and the console's text is read at each announcement of new output,
// while 2000-byte lines fill the log to its limit.
//
// Usage: bench_console [idle|paced|flood|endless|reader]...  (default: all)
// Run under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen.
#include <sys/resource.h>
#include <time.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/console/qt_console_log_view.h"
#include "platform/console/qt_job_views.h"
#include "platform/console/qt_tool_console.h"
#include "platform/process/qt_tool_runner.h"

using namespace kelvane;

namespace {

struct Scenario {
    const char* name;
    QStringList arguments;  // for the output source, before the end file
    double mib;
    double maxLateMs, p99LateMs, cpuSeconds, memoryMiB, closingMs;
    bool reader = false;  // a screen reader reads each announcement
};

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long statusKiB(const char* key) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ')[0].toLong();
    return 0;
}

void resetPeakMemory() {
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

// The end file of the output source: when it ended and how long it ran.
std::pair<long long, long long> readEnd(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {0, 0};
    const QList<QByteArray> fields = file.readAll().trimmed().split(' ');
    if (fields.size() != 2) return {0, 0};
    return {fields[0].toLongLong(), fields[1].toLongLong()};
}

// How long the output source runs when its output goes through a pipe to a
// reader that does nothing with it (cat into /dev/null).
double aloneSeconds(const QString& source, const QStringList& arguments, const QString& endFile) {
    QProcess process, reader;
    process.setStandardOutputProcess(&reader);
    reader.setStandardOutputFile(QProcess::nullDevice());
    reader.start(QStringLiteral("cat"), {});
    process.start(source, arguments + QStringList{endFile});
    process.waitForFinished(-1);
    reader.waitForFinished(-1);
    return readEnd(endFile).second / 1e9;
}

void line(const char* what, double value, const char* unit, const QString& target, bool met) {
    std::printf("  %-34s %10.2f %-6s target %-12s %s\n", what, value, unit, qPrintable(target),
                met ? "ok" : "MISSED");
}

// Reads the text now and, as a screen reader does, the newest line and the
// length of the text at each announcement.
void readAsAScreenReader(ConsoleLogView* view) {
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(view)->textInterface();
    text->characterCount();
    QObject::connect(view, &ConsoleLogView::announced, view,
                     [text](int offset, const QString& line) {
                         text->text(offset, offset + int(line.size()));
                         text->characterCount();
                         text->cursorPosition();
                     });
}

bool run(const QString& source, const Scenario& scenario) {
    QAccessible::setActive(scenario.reader);
    QTemporaryDir dir;
    const QString endFile = dir.filePath("end");
    QStringList arguments = scenario.arguments;
    QString commandLine = '"' + source + '"';
    for (const QString& argument : arguments) commandLine += ' ' + argument;
    commandLine += " \"" + endFile + '"';

    QWidget window;
    // Named so that an outside probe (xdotool search --name) finds it.
    window.setWindowTitle(QStringLiteral("Console benchmark"));
    window.resize(640, 480);
    window.show();
    QtToolRunner runner;

    // The probe: a 10 ms timer on the GUI thread and how late each tick is.
    std::vector<double> lateness;
    // The GUI thread's own CPU time between two ticks: how long our code held
    // the thread, whatever the rest of the machine does.
    std::vector<double> busy;
    double lastCpu = 0;
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double cpu = threadCpuMs();
        if (last) lateness.push_back(std::max(0.0, (now - last) / 1e6 - 10.0));
        if (last) busy.push_back(cpu - lastCpu);
        lastCpu = cpu;
        if (qEnvironmentVariableIsSet("BENCH_TRACE") && last && (now - last) / 1e6 > 15)
            std::printf("  late tick at %.1f ms: %.1f ms\n", now / 1e6, (now - last) / 1e6 - 10);
        last = now;
    });

    // The closing line is on screen with the first paint of the log after
    // the step ended.
    long long closingPaintedNs = 0;
    struct PaintWatch : QObject {
        ToolConsole* console = nullptr;
        long long* painted = nullptr;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint && !*painted && console->log().size() > 0) {
                const auto kind = console->log().line(console->log().size() - 1).kind;
                if (kind == OutputLog::Kind::Success || kind == OutputLog::Kind::Failure)
                    *painted = monotonicNs();
            }
            return false;
        }
    } watch;
    watch.painted = &closingPaintedNs;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* console = qobject_cast<ToolConsole*>(QApplication::activeModalWidget());
        if (!console) return;
        if (!watch.console) {
            watch.console = console;
            auto* view = console->findChild<ConsoleLogView*>();
            view->viewport()->installEventFilter(&watch);
            if (scenario.reader) readAsAScreenReader(view);
        }
        auto* close = console->findChild<QPushButton*>("toolConsoleClose");
        if (close->isEnabled() && closingPaintedNs) close->click();
    });
    closer.start(5);

    QApplication::processEvents();
    resetPeakMemory();
    const long baseKiB = statusKiB("VmRSS:");
    const double cpuBefore = cpuSeconds();
    clock.start();
    probe.start();
    const ToolJobResult result =
        runInToolConsole(runner, {{{std::nullopt, {}, commandLine.toStdString(), {}}}}, {&window});
    probe.stop();
    const double cpu = cpuSeconds() - cpuBefore;
    const double growthMiB = (statusKiB("VmHWM:") - baseKiB) / 1024.0;
    const auto [endNs, ranNs] = readEnd(endFile);
    const double closingMs = (closingPaintedNs - endNs) / 1e6;
    const double alone = aloneSeconds(source, arguments, dir.filePath("alone"));

    std::sort(lateness.begin(), lateness.end());
    const double maxLate = lateness.empty() ? 0 : lateness.back();
    const double p99Late = lateness.empty() ? 0 : lateness[lateness.size() * 99 / 100];
    std::sort(busy.begin(), busy.end());
    const double maxBusy = busy.empty() ? 0 : busy.back();

    std::printf("%s: %.1f MiB, exit %s\n", scenario.name, scenario.mib,
                result.steps.size() == 1 && result.steps[0].succeeded() ? "normal" : "ABNORMAL");
    bool met = true;
    auto check = [&](const char* what, double value, const char* unit, double target) {
        const bool ok = target <= 0 || value <= target;
        line(what, value, unit, target > 0 ? QStringLiteral("<= %1").arg(target) : "-", ok);
        met = met && ok;
    };
    check("GUI timer lateness, longest", maxLate, "ms", scenario.maxLateMs);
    check("GUI timer lateness, 99th pct", p99Late, "ms", scenario.p99LateMs);
    check("GUI thread CPU between ticks, max", maxBusy, "ms", 0);
    check("program CPU", cpu, "s", scenario.cpuSeconds);
    if (scenario.mib >= 1) check("program CPU per MiB", cpu * 1000 / scenario.mib, "ms", 0);
    check("peak memory growth", growthMiB, "MiB", scenario.memoryMiB);
    check("tool end -> closing line shown", closingMs, "ms", scenario.closingMs);
    check("tool run time in the console", ranNs / 1e9, "s", 0);
    check("same tool into cat > /dev/null", alone, "s", 0);
    return met;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString source = QCoreApplication::applicationDirPath() + "/bench_output_source";
    const QList<Scenario> scenarios = {
        // The same 3 s with one byte of output: the probe's own noise floor.
        {"idle", {"paced", "1", "3"}, 1.0 / (1 << 20), 0, 0, 0, 0, 0},
        {"paced", {"paced", QString::number(20 << 20), "3"}, 20, 20, 10, 0.3, 20, 50},
        {"flood", {"flood", QString::number(200 << 20)}, 200, 20, 0, 1.5, 20, 50},
        {"endless", {"endless", QString::number(200 << 20)}, 200, 20, 0, 1.5, 20, 50},
        // 40 MiB in 2000-byte lines over 4 s: the log holds its most (5000
        // lines of 2000 bytes, about 10 M characters) after the first second.
        {"reader", {"wide", QString::number(40 << 20), "4"}, 40, 20, 10, 1.0, 20, 50, true},
    };
    QStringList chosen = app.arguments().mid(1);
    bool met = true;
    for (const Scenario& scenario : scenarios) {
        if (!chosen.isEmpty() && !chosen.contains(scenario.name)) continue;
        met = run(source, scenario) && met;
    }
    return met ? 0 : 1;
}
