#include "platform/process/qt_tool_runner.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <memory>
#include <optional>

#include "platform/process/qt_launch_plan.h"
#include "platform/process/qt_process_tree.h"
#include "platform/qt_text.h"

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
    return ToolOutcome::notStarted(stdText(error));
}

// Hands everything the tool has printed so far to the observer, in chunks.
void drainOutput(QProcess& process, ToolJobObserver& observer) {
    char buffer[64 * 1024];
    qint64 read = 0;
    while ((read = process.read(buffer, sizeof buffer)) > 0)
        observer.stepOutput(std::string_view(buffer, static_cast<std::size_t>(read)));
}

ToolOutcome endOf(int exitCode, QProcess::ExitStatus status, bool stopped) {
    if (stopped) return ToolOutcome::stopped();
    if (status == QProcess::CrashExit) return ToolOutcome::crashed();
    return ToolOutcome::exited(exitCode);
}

}  // namespace

struct QtToolRunner::RunningJob {
    ToolJob job;
    std::optional<JobLedger> ledger;
    std::function<void(const ToolJobResult&)> finished;
};

QtToolRunner::QtToolRunner() = default;

QtToolRunner::~QtToolRunner() {
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

ToolJobResult QtToolRunner::runJob(const ToolJob& job, ToolJobObserver* observer) {
    JobLedger ledger(job);
    for (std::size_t i = 0; i < job.steps.size() && ledger.mayGoOn(); ++i) {
        if (observer) observer->stepStarted(job.steps[i]);
        const ToolOutcome outcome = runStep(job.steps[i], observer);
        const OutputFact fact = ledger.stepEnded(i, outcome);
        const std::optional<std::size_t> output = job.steps[i].output;
        if (observer) observer->stepEnded(outcome, output ? &job.outputs[*output] : nullptr, fact);
    }
    return ledger.finish();
}

void QtToolRunner::stopJob() {
    if (stopRunning_) stopRunning_();
}

ToolOutcome QtToolRunner::runStep(const ToolStep& step, ToolJobObserver* observer) {
    const LaunchPlan plan = planLaunch(qtText(step.commandLine), wineSearchPath_);
    if (!plan.ok) return notStarted(plan.error);
    const QString workingDirectory = qtText(step.workingDirectory);
    if (const QString error = workingDirectoryError(workingDirectory); !error.isEmpty())
        return notStarted(error);

    QProcess process;
    applyLaunchPlan(process, plan);
    process.setWorkingDirectory(workingDirectory);
    prepareChannels(process, observer != nullptr);
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
    if (observer) {
        connect(&process, &QProcess::readyReadStandardOutput, &loop,
                [&] { drainOutput(process, *observer); });
    }
    stopRunning_ = [&] {
        if (process.state() == QProcess::NotRunning || stopRequested) return;
        stopRequested = true;
        tree->terminate();
        killTimer.start(stopGracePeriod_);
    };

    process.start();
    if (process.processId() > 0) tree->started();
    // A start can fail before start() returns; the loop must not wait then.
    if (!ended) loop.exec();
    stopRunning_ = nullptr;
    killTimer.stop();
    // Whatever the stopped program started and left behind goes with it.
    if (stopRequested) tree->kill();

    if (failedToStart) return notStarted(startFailure(plan, process));
    if (observer) drainOutput(process, *observer);
    return endOf(process.exitCode(), process.exitStatus(), stopRequested);
}

QProcess* QtToolRunner::startStep(const ToolStep& step, std::string& error) {
    const LaunchPlan plan = planLaunch(qtText(step.commandLine), wineSearchPath_);
    const QString workingDirectory = qtText(step.workingDirectory);
    const QString refusal = plan.ok ? workingDirectoryError(workingDirectory) : plan.error;
    if (!refusal.isEmpty()) {
        error = stdText(refusal);
        return nullptr;
    }
    auto* process = new QProcess(this);
    applyLaunchPlan(*process, plan);
    process->setWorkingDirectory(workingDirectory);
    prepareChannels(*process, false);
    ProcessTree* tree = ProcessTree::prepare(*process);

    process->start();
    if (process->processId() > 0) tree->started();
    if (!process->waitForStarted()) {
        error = stdText(startFailure(plan, *process));
        delete process;
        return nullptr;
    }
    return process;
}

void QtToolRunner::startJob(const ToolJob& job,
                            std::function<void(const ToolJobResult&)> finished) {
    auto running = std::make_shared<RunningJob>();
    running->job = job;
    running->ledger.emplace(running->job);
    running->finished = std::move(finished);
    startFrom(running, 0);
}

void QtToolRunner::startFrom(const std::shared_ptr<RunningJob>& running, std::size_t i) {
    if (i >= running->job.steps.size() || !running->ledger->mayGoOn()) {
        if (running->finished) running->finished(running->ledger->finish());
        return;
    }
    std::string error;
    QProcess* process = startStep(running->job.steps[i], error);
    if (!process) {
        running->ledger->stepEnded(i, ToolOutcome::notStarted(error));
        startFrom(running, i + 1);
        return;
    }
    connect(process, &QProcess::finished, this,
            [this, process, running, i](int exitCode, QProcess::ExitStatus status) {
                running->ledger->stepEnded(i, endOf(exitCode, status, false));
                process->deleteLater();
                startFrom(running, i + 1);
            });
}

}  // namespace kelvane
