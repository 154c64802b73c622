#include "patch/patch_verdict.h"

namespace kelvane {
namespace {

const char* whatItWrites(const ExpectedOutput& output) {
    return output.tool == kPs2PackerName ? "packed loader" : "patched loader";
}

std::string notWritten(const ExpectedOutput& output, const ToolEnd& end) {
    const std::string how = outcomePhrase(end);
    return output.tool + (how.empty() ? "" : " " + how + " and") + " did not write the " +
           whatItWrites(output) + ":\n" + output.path;
}

std::string mayBeIncomplete(const std::string& tool, const ToolEnd& end,
                            const ExpectedOutput& output) {
    return tool + " wrote the " + whatItWrites(output) + " but then " + outcomePhrase(end) +
           ", so the file may be incomplete:\n" + output.path;
}

std::string notStarted(const PlannedStep& step, const ToolEnd& end) {
    return notStartedMessage(step.tool, step.program, end.error);
}

// What output i is instead of a PS2 program, if it was written and is not one.
const std::optional<std::string>& notAProgram(const PatchRunFacts& facts, std::size_t i) {
    static const std::optional<std::string> kProgram;
    return i < facts.notAProgram.size() && facts.written[i] ? facts.notAProgram[i] : kProgram;
}

// `end` is how the tool ended, when that is known and it did not succeed.
std::string notAProgramText(const ExpectedOutput& output, const std::string& what,
                            const ToolEnd* end) {
    std::string text = std::string("The ") + whatItWrites(output) + " that " + output.tool +
                       " wrote is not a PS2 program (it is " + what + ")";
    if (end) text += ", and " + output.tool + " " + outcomePhrase(*end);
    return text + ":\n" + output.path;
}

// Why the packer was not started after the patch step.
const char* packerHeldBack(const PatchRunFacts& facts) {
    if (facts.ends.empty() || !facts.written[0]) return "no older file is packed";
    if (!facts.ends[0].succeeded()) return "no incomplete file is packed";
    return "nothing but a PS2 program is packed";
}

// One step per output: each tool is judged on its own file.
void judgeToolSteps(const PatchPlan& plan, const PatchRunFacts& facts,
                    std::vector<std::string>& problems) {
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (i >= facts.ends.size()) {
            problems.push_back(plan.steps[i].tool + " was not started, so that " +
                               packerHeldBack(facts) + ".");
            return;
        }
        const ToolEnd& end = facts.ends[i];
        if (!end.started) {
            problems.push_back(notStarted(plan.steps[i], end));
        } else if (!facts.written[i]) {
            problems.push_back(notWritten(plan.outputs[i], end));
        } else if (const auto& what = notAProgram(facts, i)) {
            problems.push_back(
                notAProgramText(plan.outputs[i], *what, end.succeeded() ? nullptr : &end));
        } else if (!end.succeeded()) {
            problems.push_back(mayBeIncomplete(plan.steps[i].tool, end, plan.outputs[i]));
        }
    }
}

// One batch file runs both tools; only its interpreter's end is known, and it
// ends the way the last tool did.
void judgeBatchRun(const PatchPlan& plan, const PatchRunFacts& facts,
                   std::vector<std::string>& problems) {
    if (facts.ends.empty() || !facts.ends.front().started) {
        problems.push_back(
            notStarted(plan.steps.front(), facts.ends.empty() ? ToolEnd{} : facts.ends.front()));
        return;
    }
    const ToolEnd& end = facts.ends.front();
    const bool patched = facts.written[0];
    const bool packed = facts.written[1];
    // Which tool failed is not known, so neither is named as failing.
    ToolEnd ranToEnd;
    ranToEnd.started = true;
    if (!patched) problems.push_back(notWritten(plan.outputs[0], ranToEnd));
    for (std::size_t i = 0; i < plan.outputs.size(); ++i) {
        if (const auto& what = notAProgram(facts, i))
            problems.push_back(notAProgramText(plan.outputs[i], *what, nullptr));
    }
    if (!packed) {
        problems.push_back(notWritten(plan.outputs[1], ranToEnd));
    } else if (!patched) {
        problems.push_back("The packed loader was made from an older file:\n" +
                           plan.outputs[1].path);
    } else if (notAProgram(facts, 0) && !notAProgram(facts, 1)) {
        problems.push_back("The packed loader was made from a file that is not a PS2 program:\n" +
                           plan.outputs[1].path);
    }
    if ((patched || packed) && !end.succeeded()) {
        std::string text =
            "The packing run " + outcomePhrase(end) + ", so what it wrote may be incomplete:";
        for (std::size_t i = 0; i < plan.outputs.size(); ++i)
            if (facts.written[i]) text += "\n" + plan.outputs[i].path;
        problems.push_back(text);
    }
}

}  // namespace

bool nextStepMayRun(const ToolEnd& end, bool wroteItsOutput, bool outputIsAProgram) {
    return end.succeeded() && wroteItsOutput && outputIsAProgram;
}

std::vector<std::string> judgePatchRun(const PatchPlan& plan, const PatchRunFacts& facts) {
    std::vector<std::string> problems;
    if (plan.toolByTool()) {
        judgeToolSteps(plan, facts, problems);
    } else {
        judgeBatchRun(plan, facts, problems);
    }
    if (facts.batchFileLeft) {
        problems.push_back("The packing batch file could not be deleted:\n" + plan.batchFilePath +
                           "\n" + *facts.batchFileLeft);
    }
    return problems;
}

std::string joinParagraphs(const std::vector<std::string>& paragraphs) {
    std::string text;
    for (const std::string& paragraph : paragraphs) {
        if (!text.empty()) text += "\n\n";
        text += paragraph;
    }
    return text;
}

}  // namespace kelvane
