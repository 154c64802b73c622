#include "platform/qt_process_runner_impl.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <memory>
#include <optional>

#include "platform/qt_input_blocker.h"
#include "platform/qt_launch_plan.h"
#include "platform/qt_tool_console.h"

namespace kelvane {
namespace {

// One line of tool output without its line ending.
QString outputLine(const QByteArray& bytes) {
    QString line = QString::fromLocal8Bit(bytes);
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r'))) line.chop(1);
    return line;
}

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

}  // namespace

QtProcessRunner::QtProcessRunner(QWidget* window) : window_(window) {}

QtProcessRunner::~QtProcessRunner() {
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect(this);
        if (process->state() == QProcess::NotRunning) continue;
        if (!process->waitForFinished(static_cast<int>(stopGracePeriod_.count()))) {
            process->kill();
            process->waitForFinished();
        }
    }
}

QList<ToolOutcome> QtProcessRunner::shellWait(
    const QList<ToolCommand>& steps, WindowStyle style,
    const std::function<bool(int, const ToolOutcome&)>& proceed) {
    std::unique_ptr<ToolConsole> console;
    std::optional<InputBlocker> blocker;
    if (style == WindowStyle::Normal) {
        console = std::make_unique<ToolConsole>(window_);
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
    if (console) console->beginStep(step.commandLine);
    auto report = [console](const ToolOutcome& outcome) {
        if (console) console->endStep(outcome);
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

    QEventLoop loop;
    bool ended = false;
    bool failedToStart = false;
    bool stopRequested = false;
    QTimer killTimer;
    killTimer.setSingleShot(true);
    connect(&killTimer, &QTimer::timeout, &process, &QProcess::kill);
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
        connect(&process, &QProcess::readyReadStandardOutput, console, [&] {
            while (process.canReadLine()) console->appendOutput(outputLine(process.readLine()));
        });
        connect(console, &ToolConsole::stopRequested, &process, [&] {
            if (process.state() == QProcess::NotRunning) return;
            stopRequested = true;
            process.terminate();
            killTimer.start(stopGracePeriod_);
        });
    }

    process.start();
    // A start can fail before start() returns; the loop must not wait then.
    if (!ended) loop.exec();
    killTimer.stop();

    if (failedToStart) return report(notStarted(startFailure(plan, process)));

    if (console) {
        // Whatever is left after the last full line, such as a last line
        // without a line ending.
        QList<QByteArray> rest = process.readAll().split('\n');
        if (rest.last().isEmpty()) rest.removeLast();
        for (const QByteArray& line : rest) console->appendOutput(outputLine(line));
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

    process->start();
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
