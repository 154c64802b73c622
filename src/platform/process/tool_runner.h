#pragma once

#include <functional>
#include <string_view>

#include "platform/process/tool_job.h"

namespace kelvane {

// Follows a running job: a tool console, or nothing.
class ToolJobObserver {
  public:
    virtual ~ToolJobObserver() = default;
    virtual void stepStarted(const ToolStep& step) = 0;
    // The tool's output (stdout and stderr together) as it wrote it, split
    // anywhere.
    virtual void stepOutput(std::string_view bytes) = 0;
    // `output` is the job output the step was meant to write (nullptr when
    // it names none) and `fact` what became of it.
    virtual void stepEnded(const ToolOutcome& outcome, const JobOutput* output,
                           const OutputFact& fact) = 0;
};

// Every external program is started through this interface, so tests can
// record the exact command line and working directory. A runner judges
// every job by the same JobLedger.
class ToolRunner {
  public:
    virtual ~ToolRunner() = default;

    // Runs the job and waits for its end while the windows keep repainting.
    // The tools' output goes to `observer`, or nowhere when there is none.
    virtual ToolJobResult runJob(const ToolJob& job, ToolJobObserver* observer) = 0;
    // Ends the step runJob() is waiting for, with all it started; the job
    // ends with it.
    virtual void stopJob() = 0;

    // Starts the job and returns at once; its output goes nowhere. The child
    // gets its own working directory, the program's own stays unchanged.
    // `finished` is called on the GUI thread when the job is over, before
    // this returns when nothing could be started.
    virtual void startJob(const ToolJob& job,
                          std::function<void(const ToolJobResult&)> finished) = 0;
};

}  // namespace kelvane
