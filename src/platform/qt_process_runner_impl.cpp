#include "platform/qt_process_runner_impl.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <memory>
#include <optional>

#include "platform/file_identity.h"
#include "platform/qt_input_blocker.h"
#include "platform/qt_launch_plan.h"
#include "platform/qt_process_tree.h"
#include "platform/qt_text.h"
#include "platform/qt_tool_console.h"

namespace kelvane {
namespace {

// Tools never get keyboard input; a tool that asks for some reads end of file
// instead of waiting forever.
void prepareChannels(QProcess& process, bool showOutput) {
    process.setStandardInputFile(QProcess::nullDevice());
    if (showOutput) {
        process.setProcessChannelMode(QProcess::MergedChannels);
    } else {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    }
}

ToolOutcome notStarted(const QString& error) {
    ToolOutcome outcome;
    outcome.error = error;
    return outcome;
}

// Hands everything the tool has printed so far to the console, in chunks.
void drainOutput(QProcess& process, ToolConsole& console) {
    char buffer[64 * 1024];
    qint64 read = 0;
    while ((read = process.read(buffer, sizeof buffer)) > 0)
        console.appendOutput(std::string_view(buffer, static_cast<std::size_t>(read)));
}

}  // namespace

QtProcessRunner::QtProcessRunner(QWidget* window) : window_(window) {}

QtProcessRunner::~QtProcessRunner() {
    // Every tree is asked to end first, then all of them share one grace
    // period, and whatever is left is killed.
    QList<QProcess*> running;
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect(this);
        if (process->state() == QProcess::NotRunning) continue;
        running << process;
        if (ProcessTree* tree = ProcessTree::of(*process)) {
            tree->terminate();
        } else {
            process->terminate();
        }
    }
    const QDeadlineTimer deadline(stopGracePeriod_);
    for (QProcess* process : running)
        process->waitForFinished(static_cast<int>(qMax<qint64>(0, deadline.remainingTime())));
    // A tree is killed even when its first program has ended: what that
    // program started may still run.
    for (QProcess* process : running) {
        if (ProcessTree* tree = ProcessTree::of(*process)) {
            tree->kill();
        } else {
            process->kill();
        }
        if (process->state() != QProcess::NotRunning) process->waitForFinished();
    }
}

void QtProcessRunner::setServices(DesktopServices* desktop, MessageBoxes* messages) {
    desktop_ = desktop;
    messages_ = messages;
}

QList<ToolOutcome> QtProcessRunner::shellWait(
    const QList<ToolCommand>& steps, WindowStyle style,
    const std::function<bool(int, const ToolOutcome&)>& proceed) {
    std::unique_ptr<ToolConsole> console;
    std::optional<InputBlocker> blocker;
    if (style == WindowStyle::Normal) {
        console = std::make_unique<ToolConsole>(window_, desktop_, messages_);
        console->show();
    } else {
        blocker.emplace();
    }

    QList<ToolOutcome> outcomes;
    for (int i = 0; i < steps.size(); ++i) {
        const ToolOutcome outcome = runStep(steps[i], console.get());
        outcomes.push_back(outcome);
        if (outcome.stopped) break;
        if (proceed && !proceed(i, outcome)) break;
    }

    if (console) {
        console->finish();
        if (!consoleClosesWhenDone_ && console->isVisible()) {
            QEventLoop loop;
            connect(console.get(), &QDialog::finished, &loop, &QEventLoop::quit);
            loop.exec();
        }
    }
    return outcomes;
}

ToolOutcome QtProcessRunner::runStep(const ToolCommand& step, ToolConsole* console) {
    if (console) console->beginStep(step);
    // The console names the file only when the step wrote it, by the rule
    // that judges the whole run.
    const std::string output = stdText(step.outputFile);
    const FileStamp before = stampOf(output);
    auto report = [&](const ToolOutcome& outcome) {
        if (console) {
            const bool wrote = !output.empty() && writtenDuringRun(before, output);
            console->endStep(outcome, wrote ? step.outputFile : QString());
        }
        return outcome;
    };

    const LaunchPlan plan = planLaunch(step.commandLine, wineSearchPath_);
    if (!plan.ok) return report(notStarted(plan.error));
    if (const QString error = workingDirectoryError(step.workingDirectory); !error.isEmpty())
        return report(notStarted(error));

    QProcess process;
    applyLaunchPlan(process, plan);
    process.setWorkingDirectory(step.workingDirectory);
    prepareChannels(process, console != nullptr);
    ProcessTree* tree = ProcessTree::prepare(process);

    QEventLoop loop;
    bool ended = false;
    bool failedToStart = false;
    bool stopRequested = false;
    QTimer killTimer;
    killTimer.setSingleShot(true);
    connect(&killTimer, &QTimer::timeout, tree, &ProcessTree::kill);
    connect(&process, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        failedToStart = true;
        ended = true;
        loop.quit();
    });
    if (console) {
        connect(&process, &QProcess::readyReadStandardOutput, console,
                [&] { drainOutput(process, *console); });
        connect(console, &ToolConsole::stopRequested, &process, [&] {
            if (process.state() == QProcess::NotRunning) return;
            stopRequested = true;
            tree->terminate();
            killTimer.start(stopGracePeriod_);
        });
    }

    process.start();
    if (process.processId() > 0) tree->started();
    // A start can fail before start() returns; the loop must not wait then.
    if (!ended) loop.exec();
    killTimer.stop();
    // Whatever the stopped program started and left behind goes with it.
    if (stopRequested) tree->kill();

    if (failedToStart) return report(notStarted(startFailure(plan, process)));

    if (console) {
        drainOutput(process, *console);
        console->endOutput();
    }
    ToolOutcome outcome;
    outcome.started = true;
    outcome.stopped = stopRequested;
    outcome.crashed = !stopRequested && process.exitStatus() == QProcess::CrashExit;
    outcome.exitCode = process.exitCode();
    return report(outcome);
}

StartOutcome QtProcessRunner::shellStart(const ToolCommand& command, WindowStyle style,
                                         std::function<void(const ToolOutcome&)> finished) {
    const LaunchPlan plan = planLaunch(command.commandLine, wineSearchPath_);
    if (!plan.ok) return {false, plan.error};
    if (const QString error = workingDirectoryError(command.workingDirectory); !error.isEmpty())
        return {false, error};

    auto* process = new QProcess(this);
    applyLaunchPlan(*process, plan);
    process->setWorkingDirectory(command.workingDirectory);
    process->setStandardInputFile(QProcess::nullDevice());
    if (style == WindowStyle::Hidden) {
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
    } else {
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    }
    ProcessTree* tree = ProcessTree::prepare(*process);

    process->start();
    if (process->processId() > 0) tree->started();
    if (!process->waitForStarted()) {
        StartOutcome failure{false, startFailure(plan, *process)};
        delete process;
        return failure;
    }
    connect(process, &QProcess::finished, this,
            [process, finished = std::move(finished)](int exitCode, QProcess::ExitStatus status) {
                if (finished) {
                    ToolOutcome outcome;
                    outcome.started = true;
                    outcome.crashed = status == QProcess::CrashExit;
                    outcome.exitCode = exitCode;
                    finished(outcome);
                }
                process->deleteLater();
            });
    return {true, {}};
}

}  // namespace kelvane
