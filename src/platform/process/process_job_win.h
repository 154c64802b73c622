#pragma once

#ifdef _WIN32

namespace kelvane {

// A Windows job object holding a started program and every program it starts
// in turn, so that all of them can be ended together. Closing the job (the
// destructor) ends whatever is still running in it.
class ProcessJob {
  public:
    ProcessJob();
    ~ProcessJob();
    ProcessJob(const ProcessJob&) = delete;
    ProcessJob& operator=(const ProcessJob&) = delete;

    // Puts a process that was created suspended into the job, then lets every
    // thread of it run. The process runs even when the job could not take it.
    // Returns whether it is in the job.
    bool adoptSuspended(unsigned long processId);
    // Ends every process in the job at once.
    void killAll();

  private:
    void* job_ = nullptr;
};

}  // namespace kelvane

#endif
