#pragma once

#include <string>

namespace kelvane {

// How one tool run ended, in plain data.
struct ToolEnd {
    bool started = false;  // false: could not be started, see error
    std::string error;     // why it could not be started
    bool crashed = false;  // ended abnormally
    bool stopped = false;  // the user pressed Stop
    int exitCode = 0;      // valid when started and not crashed or stopped

    // Started and ended by itself with exit code 0.
    bool succeeded() const { return started && !crashed && !stopped && exitCode == 0; }
};

// The console's last line: "Completed successfully", "Failed with exit code
// N", "Crashed", "Stopped by user" or "Could not start: <reason>".
std::string outcomeLine(const ToolEnd& end);

// The same end as a phrase after the tool's name in a message: "was stopped",
// "crashed", "ended with exit code N"; empty for a run that succeeded or
// never started.
std::string outcomePhrase(const ToolEnd& end);

// "<tool> could not be started:" with the program's path and the reason,
// naming the path once (the reason often names it already).
std::string notStartedMessage(const std::string& tool, const std::string& program,
                              const std::string& reason);

}  // namespace kelvane
