#include "platform/process/qt_process_tree.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include "platform/process/process_job_win.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace kelvane {

ProcessTree::ProcessTree(QProcess& process) : QObject(&process), process_(process) {
    setObjectName(QStringLiteral("processTree"));
}

ProcessTree::~ProcessTree() = default;

ProcessTree* ProcessTree::prepare(QProcess& process) {
    auto* tree = new ProcessTree(process);
#ifdef Q_OS_WIN
    tree->job_ = std::make_unique<ProcessJob>();
    // The program must not start anything before it is in the job, so it is
    // created suspended and let run by started(). The command line modifier
    // set by the launch plan is kept.
    auto previous = process.createProcessArgumentsModifier();
    process.setCreateProcessArgumentsModifier([previous](QProcess::CreateProcessArguments* args) {
        if (previous) previous(args);
        args->flags |= CREATE_SUSPENDED;
    });
#else
    process.setChildProcessModifier([] {
        // Runs in the child between fork and exec: only async-signal-safe
        // calls. The program leads a process group of its own, and a larger
        // pipe lets a chatty program write ahead instead of waiting for us.
        setpgid(0, 0);
#ifdef F_SETPIPE_SZ
        fcntl(STDOUT_FILENO, F_SETPIPE_SZ, 1 << 20);
#endif
    });
#endif
    return tree;
}

ProcessTree* ProcessTree::of(const QProcess& process) {
    return process.findChild<ProcessTree*>(QStringLiteral("processTree"),
                                           Qt::FindDirectChildrenOnly);
}

void ProcessTree::started() {
    leader_ = process_.processId();
    if (leader_ <= 0) return;
#ifdef Q_OS_WIN
    job_->adoptSuspended(static_cast<unsigned long>(leader_));
#else
    // Also set from this side, so that the group exists before we signal it
    // whichever process runs first.
    setpgid(static_cast<pid_t>(leader_), static_cast<pid_t>(leader_));
#endif
}

void ProcessTree::terminate() {
#ifdef Q_OS_WIN
    kill();
#else
    if (leader_ <= 0 || ::kill(-static_cast<pid_t>(leader_), SIGTERM) != 0) process_.terminate();
#endif
}

void ProcessTree::kill() {
#ifdef Q_OS_WIN
    job_->killAll();
    process_.kill();
#else
    if (leader_ <= 0 || ::kill(-static_cast<pid_t>(leader_), SIGKILL) != 0) process_.kill();
#endif
}

}  // namespace kelvane
