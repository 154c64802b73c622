#include "platform/tool_outcome.h"

namespace kelvane {
namespace {

enum class EndKind { NotStarted, Succeeded, Failed, Crashed, Stopped };

EndKind kindOf(const ToolEnd& end) {
    if (!end.started) return EndKind::NotStarted;
    if (end.stopped) return EndKind::Stopped;
    if (end.crashed) return EndKind::Crashed;
    return end.exitCode == 0 ? EndKind::Succeeded : EndKind::Failed;
}

// Each way a run can end, worded once for the console and once for messages.
struct EndWording {
    EndKind kind;
    const char* line;
    const char* phrase;
};
constexpr EndWording kWordings[] = {
    {EndKind::NotStarted, "Could not start: ", ""},
    {EndKind::Succeeded, "Completed successfully", ""},
    {EndKind::Failed, "Failed with exit code ", "ended with exit code "},
    {EndKind::Crashed, "Crashed", "crashed"},
    {EndKind::Stopped, "Stopped by user", "was stopped"},
};

const EndWording& wordingOf(const ToolEnd& end) {
    const EndKind kind = kindOf(end);
    for (const EndWording& w : kWordings)
        if (w.kind == kind) return w;
    return kWordings[0];
}

// The detail that follows a wording: the reason or the exit code.
std::string detail(const ToolEnd& end) {
    switch (kindOf(end)) {
        case EndKind::NotStarted:
            return end.error;
        case EndKind::Failed:
            return std::to_string(end.exitCode);
        default:
            return {};
    }
}

}  // namespace

std::string outcomeLine(const ToolEnd& end) {
    return wordingOf(end).line + detail(end);
}

std::string outcomePhrase(const ToolEnd& end) {
    const std::string phrase = wordingOf(end).phrase;
    if (phrase.empty()) return {};
    return phrase + (kindOf(end) == EndKind::Failed ? detail(end) : std::string());
}

std::string notStartedMessage(const std::string& tool, const std::string& program,
                              const std::string& reason) {
    std::string text = tool + " could not be started:";
    if (reason.find(program) == std::string::npos) text += "\n" + program;
    if (!reason.empty()) text += "\n" + reason;
    return text;
}

}  // namespace kelvane
