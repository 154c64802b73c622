#pragma once

#include <QObject>
#include <QProcess>
#include <memory>

namespace kelvane {

class ProcessJob;

// Runs a started program in a process tree of its own, so that Stop ends the
// program and every program it started in turn (a packing run's batch
// interpreter and its tools, a tool's own helpers). On Windows the tree is a
// job object, elsewhere a process group led by the program.
//
// Use: prepare() before QProcess::start(), started() right after it.
class ProcessTree : public QObject {
  public:
    // Sets `process` up to start in a tree of its own; the tree belongs to
    // the process. Call after the program and its arguments are set.
    static ProcessTree* prepare(QProcess& process);
    // The tree of a prepared process, or nullptr.
    static ProcessTree* of(const QProcess& process);

    ~ProcessTree() override;

    // The program is running: the tree takes it (on Windows the program was
    // created suspended and runs from here on).
    void started();
    // Asks every program in the tree to end. Windows console programs have no
    // such request, so there they are ended at once.
    void terminate();
    // Ends every program in the tree at once.
    void kill();

  private:
    explicit ProcessTree(QProcess& process);

    QProcess& process_;
    qint64 leader_ = 0;
#ifdef Q_OS_WIN
    std::unique_ptr<ProcessJob> job_;
#endif
};

}  // namespace kelvane
