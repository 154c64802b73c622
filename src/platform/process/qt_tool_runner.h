#pragma once

#include <QObject>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>

#include "platform/process/tool_runner.h"

class QProcess;

namespace kelvane {

// Starts the tools of a job with QProcess. It shows nothing: whoever wants
// the run seen passes an observer (the tool console) and offers Stop.
//
// runJob() waits in a local event loop, so the windows keep repainting. A
// step stopped by the user ends the job; later steps are not started.
//
// A process started by startJob() is owned by the runner until it ends.
// Every program starts in a process tree of its own: Stop, and the end of
// the runner, end the program and whatever it started. Programs still running
// when the runner is destroyed are all asked to end, get one stop grace
// period together, and are then killed.
class QtToolRunner : public QObject, public ToolRunner {
    Q_OBJECT
  public:
    QtToolRunner();
    ~QtToolRunner() override;

    // After Stop, the time a tool has to end before it is killed.
    void setStopGracePeriod(std::chrono::milliseconds period) { stopGracePeriod_ = period; }
    // Directories searched for wine; empty means PATH.
    void setWineSearchPath(const QStringList& directories) { wineSearchPath_ = directories; }

    ToolJobResult runJob(const ToolJob& job, ToolJobObserver* observer) override;
    void stopJob() override;
    void startJob(const ToolJob& job, std::function<void(const ToolJobResult&)> finished) override;

  private:
    ToolOutcome runStep(const ToolStep& step, ToolJobObserver* observer);
    // Starts the step without waiting; nullptr and the reason when it cannot
    // start.
    QProcess* startStep(const ToolStep& step, std::string& error);
    // One job started without waiting, carried from step to step.
    struct RunningJob;
    // Starts step `i` of the job, or ends the job; the end of a started step
    // starts the next.
    void startFrom(const std::shared_ptr<RunningJob>& running, std::size_t i);

    std::chrono::milliseconds stopGracePeriod_{3000};
    QStringList wineSearchPath_;
    // Stops the step runJob() waits for; empty while none runs.
    std::function<void()> stopRunning_;
};

}  // namespace kelvane
