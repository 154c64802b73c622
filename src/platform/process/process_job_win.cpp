#ifdef _WIN32

#include "platform/process/process_job_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

namespace kelvane {
namespace {

// Resumes every thread of the process; a process created suspended has one.
void resumeThreads(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            ResumeThread(thread);
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
}

}  // namespace

ProcessJob::ProcessJob() {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job) return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        return;
    }
    job_ = job;
}

ProcessJob::~ProcessJob() {
    if (job_) CloseHandle(static_cast<HANDLE>(job_));
}

bool ProcessJob::adoptSuspended(unsigned long processId) {
    bool adopted = false;
    if (job_) {
        if (HANDLE process = OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, processId)) {
            adopted = AssignProcessToJobObject(static_cast<HANDLE>(job_), process) != 0;
            CloseHandle(process);
        }
    }
    resumeThreads(processId);
    return adopted;
}

void ProcessJob::killAll() {
    if (job_) TerminateJobObject(static_cast<HANDLE>(job_), 1);
}

}  // namespace kelvane

#endif
