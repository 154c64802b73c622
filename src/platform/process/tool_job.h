#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/tool_search.h"
#include "platform/files/file_identity.h"

namespace kelvane {

// How one tool run ended.
struct ToolOutcome {
    enum class End { NotStarted, Succeeded, Failed, Crashed, Stopped };
    End end = End::NotStarted;
    std::string error;  // NotStarted: why
    int exitCode = 0;   // Failed: the code it ended with

    static ToolOutcome notStarted(std::string reason) { return {End::NotStarted, reason, 0}; }
    static ToolOutcome exited(int code) {
        return {code == 0 ? End::Succeeded : End::Failed, {}, code};
    }
    static ToolOutcome crashed() { return {End::Crashed, {}, 0}; }
    static ToolOutcome stopped() { return {End::Stopped, {}, 0}; }

    bool started() const { return end != End::NotStarted; }
    // Started and ended by itself with exit code 0.
    bool succeeded() const { return end == End::Succeeded; }
};

// What is wrong with a written file, worded to follow "it is" ("a text
// file"); nothing when the file can be used.
using OutputCheck = std::function<std::optional<std::string>(const std::string& path)>;

// A file a job may write. It is stamped before the job and given its time
// back when the job did not write it.
struct JobOutput {
    std::string path;  // UTF-8
    // When set, a written file must pass it; `mustBe` names what it must be
    // ("a PS2 program").
    OutputCheck check = {};
    std::string mustBe = {};
};

// One program a job starts.
struct ToolStep {
    // The tool the command line starts; nothing for the system's command
    // interpreter.
    std::optional<Tool> tool;
    std::string program;           // the executable the command line starts
    std::string commandLine;       // exactly as handed to the system
    std::string workingDirectory;  // empty: the program's current one
    std::string title = {};        // what the step does ("Patching to HDL.ELF")
    // The job output this step is meant to write, when there is one.
    std::optional<std::size_t> output = std::nullopt;
};

// Steps run one after the other; a step runs only when the one before ended
// by itself with exit code 0 and wrote its output, and that output passed its
// check. A scratch file, when named, is written before the first step and
// removed after the last.
struct ToolJob {
    std::vector<ToolStep> steps;
    std::vector<JobOutput> outputs = {};
    std::string scratchPath = {};
    std::string scratchBytes = {};
};

// What became of one job output.
struct OutputFact {
    // A regular file was written at its path during the job (see
    // writtenDuringRun).
    bool written = false;
    // For a written file that failed its check: what it is instead.
    std::optional<std::string> unusable = std::nullopt;

    bool usable() const { return written && !unusable; }
};

// A step went well when its tool succeeded and wrote its output, if it has
// one, as a usable file. Only then may the next step run; going on would pass
// an older, a half-written or a useless file on to the next tool.
inline bool stepWentWell(const ToolOutcome& outcome, bool hasOutput, const OutputFact& fact) {
    return outcome.succeeded() && (!hasOutput || fact.usable());
}

struct ToolJobResult {
    std::vector<ToolOutcome> steps;   // one for every step that was attempted
    std::vector<OutputFact> outputs;  // one for every job output
    // Why the scratch file could not be written (then no step ran), or
    // could not be removed afterwards.
    std::optional<std::string> scratchNotWritten = std::nullopt;
    std::optional<std::string> scratchLeft = std::nullopt;
};

// The bookkeeping of one job, the same whoever starts the programs: stamps
// the outputs and writes the scratch file, judges each step's output, says
// whether the next step runs, and settles the files at the end.
class JobLedger {
  public:
    // Stamps every output (see stampBeforeRun) and writes the scratch file.
    explicit JobLedger(const ToolJob& job);

    // Records how step `index` ended; returns the fact about its output
    // (not written when it has none).
    OutputFact stepEnded(std::size_t index, const ToolOutcome& outcome);
    // Whether the step after the last one recorded may run: none when the
    // scratch file could not be written.
    bool mayGoOn() const { return mayGoOn_; }
    // Judges every output, gives unwritten files their time back and removes
    // the scratch file.
    ToolJobResult finish();

  private:
    OutputFact factOf(std::size_t output) const;

    const ToolJob& job_;
    std::vector<FileStamp> before_;
    ToolJobResult result_;
    bool mayGoOn_ = true;
};

// The console's closing line for a step: "Completed successfully", "Failed
// with exit code N", "Crashed", "Stopped by user" or "Could not start:
// <reason>", then what became of the step's output `shownPath` when it has
// one: ", wrote X", "; X was written but may be incomplete" or "; X was
// written but is not <mustBe> (it is <what>)". A tool that succeeded but did
// not leave a usable output is not called successful: "Completed, but X was
// not written" or "Wrote X, but it is not <mustBe> (it is <what>)".
std::string closingLine(const ToolOutcome& outcome, const OutputFact& output = {},
                        std::string_view shownPath = {}, std::string_view mustBe = {});

// The end as a phrase after the tool's name in a message: "was stopped",
// "crashed", "ended with exit code N"; empty for a run that succeeded or
// never started.
std::string outcomePhrase(const ToolOutcome& outcome);

// "<tool> could not be started:" with the program's path and the reason,
// naming the path once (the reason often names it already).
std::string notStartedMessage(std::string_view tool, const std::string& program,
                              const std::string& reason);

}  // namespace kelvane
