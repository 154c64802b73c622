#include "platform/process/tool_job.h"

#include "platform/files/batch_file_io.h"

namespace kelvane {
namespace {

using End = ToolOutcome::End;

// Each way a run can end, worded once for the console and once for messages.
struct EndWording {
    End end;
    const char* line;
    const char* phrase;
};
constexpr EndWording kWordings[] = {
    {End::NotStarted, "Could not start: ", ""},
    {End::Succeeded, "Completed successfully", ""},
    {End::Failed, "Failed with exit code ", "ended with exit code "},
    {End::Crashed, "Crashed", "crashed"},
    {End::Stopped, "Stopped by user", "was stopped"},
};

const EndWording& wordingOf(const ToolOutcome& outcome) {
    for (const EndWording& w : kWordings)
        if (w.end == outcome.end) return w;
    return kWordings[0];
}

// The detail that follows a wording: the reason or the exit code.
std::string detail(const ToolOutcome& outcome) {
    switch (outcome.end) {
        case End::NotStarted:
            return outcome.error;
        case End::Failed:
            return std::to_string(outcome.exitCode);
        default:
            return {};
    }
}

}  // namespace

JobLedger::JobLedger(const ToolJob& job) : job_(job) {
    for (const JobOutput& output : job.outputs) before_.push_back(stampBeforeRun(output.path));
    if (!job.scratchPath.empty())
        result_.scratchNotWritten = writeWholeFile(job.scratchPath, job.scratchBytes);
    mayGoOn_ = !result_.scratchNotWritten;
}

OutputFact JobLedger::factOf(std::size_t output) const {
    OutputFact fact;
    const JobOutput& file = job_.outputs[output];
    fact.written = writtenDuringRun(before_[output], file.path);
    if (fact.written && file.check) fact.unusable = file.check(file.path);
    return fact;
}

OutputFact JobLedger::stepEnded(std::size_t index, const ToolOutcome& outcome) {
    result_.steps.push_back(outcome);
    const std::optional<std::size_t> output = job_.steps[index].output;
    const OutputFact fact = output ? factOf(*output) : OutputFact{};
    mayGoOn_ = stepWentWell(outcome, output.has_value(), fact);
    return fact;
}

ToolJobResult JobLedger::finish() {
    for (std::size_t i = 0; i < job_.outputs.size(); ++i) {
        result_.outputs.push_back(factOf(i));
        if (!result_.outputs.back().written) restoreModifiedTime(before_[i], job_.outputs[i].path);
    }
    if (!job_.scratchPath.empty() && !result_.scratchNotWritten)
        result_.scratchLeft = removeFileIfPresent(job_.scratchPath);
    return result_;
}

std::string closingLine(const ToolOutcome& outcome, const OutputFact& output,
                        std::string_view shownPath, std::string_view mustBe) {
    const std::string path(shownPath);
    const std::string instead =
        output.unusable ? "not " + std::string(mustBe) + " (it is " + *output.unusable + ")" : "";
    if (outcome.succeeded() && !path.empty()) {
        if (!output.written) return "Completed, but " + path + " was not written";
        if (output.unusable) return "Wrote " + path + ", but it is " + instead;
    }
    std::string line = wordingOf(outcome).line + detail(outcome);
    if (path.empty() || !output.written) return line;
    if (output.unusable) return line + "; " + path + " was written but is " + instead;
    if (outcome.succeeded()) return line + ", wrote " + path;
    return line + "; " + path + " was written but may be incomplete";
}

std::string outcomePhrase(const ToolOutcome& outcome) {
    const std::string phrase = wordingOf(outcome).phrase;
    if (phrase.empty()) return {};
    return phrase + (outcome.end == End::Failed ? detail(outcome) : std::string());
}

std::string notStartedMessage(std::string_view tool, const std::string& program,
                              const std::string& reason) {
    std::string text = std::string(tool) + " could not be started:";
    if (reason.find(program) == std::string::npos) text += "\n" + program;
    if (!reason.empty()) text += "\n" + reason;
    return text;
}

}  // namespace kelvane
