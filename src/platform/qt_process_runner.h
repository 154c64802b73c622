#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace kelvane {

// How a started program is shown: 0 no window (output discarded), 1 a tool
// console that shows the command line, the output live and how it ended.
enum class WindowStyle { Hidden = 0, Normal = 1 };

// One command line, exactly as a Windows command interpreter would receive it
// (the first token names the program; the caller quotes what needs quoting).
struct ToolCommand {
    QString commandLine;
    QString workingDirectory;  // empty: the program's current working directory
    // What the step does, shown as the tool console's title ("Patching to
    // HDL.ELF"); empty: the program's name.
    QString title = {};
    // The file the step is meant to write, when there is one: the console
    // says whether it was written and can open the folder that holds it.
    QString outputFile = {};
};

// How one waited-for command ended.
struct ToolOutcome {
    bool started = false;  // false: could not be started, see error
    QString error;         // why it could not be started
    bool crashed = false;  // ended abnormally
    bool stopped = false;  // the user pressed Stop
    int exitCode = 0;      // valid when started and not crashed/stopped

    bool finishedNormally() const { return started && !crashed && !stopped; }
};

// Result of starting a program without waiting for it.
struct StartOutcome {
    bool started = false;
    QString error;
};

// Every external program is started through this interface, so tests can
// record the exact command line, window style and working directory.
class ProcessRunner {
  public:
    virtual ~ProcessRunner() = default;

    // Runs the steps one after the other and waits for each to end, keeping the
    // main window blocked for input but repainting. With WindowStyle::Normal one
    // tool console shows every step. After each step `proceed` (when given)
    // decides whether the next step runs. Returns one outcome for every step
    // that was attempted.
    virtual QList<ToolOutcome> shellWait(
        const QList<ToolCommand>& steps, WindowStyle style,
        const std::function<bool(int step, const ToolOutcome&)>& proceed = {}) = 0;

    // Starts the command line and returns at once; the child gets its own
    // working directory, the program's own stays unchanged. When `finished` is
    // given it is called on the GUI thread once the program has ended (it is
    // not called when the start failed).
    virtual StartOutcome shellStart(const ToolCommand& command, WindowStyle style,
                                    std::function<void(const ToolOutcome&)> finished = {}) = 0;
};

}  // namespace kelvane
