#include "patch/patch_verdict.h"

namespace kelvane {
namespace {

// One output of the plan with the tool that writes it and what became of it.
struct Output {
    std::string tool;
    const char* what;  // "patched loader", "packed loader"
    const std::string& path;
    const OutputFact& fact;
};

Output outputOf(const PatchPlan& plan, const ToolJobResult& result, std::size_t i) {
    const Tool tool = PatchPlan::writerOf(i);
    return {std::string(toolDisplayName(tool)),
            tool == Tool::Ps2Packer ? "packed loader" : "patched loader", plan.job.outputs[i].path,
            result.outputs[i]};
}

std::string notWritten(const Output& output, const ToolOutcome& end) {
    const std::string how = outcomePhrase(end);
    return output.tool + (how.empty() ? "" : " " + how + " and") + " did not write the " +
           output.what + ":\n" + output.path;
}

std::string mayBeIncomplete(const Output& output, const ToolOutcome& end) {
    return output.tool + " wrote the " + output.what + " but then " + outcomePhrase(end) +
           ", so the file may be incomplete:\n" + output.path;
}

std::string notStarted(const ToolStep& step, const ToolOutcome& end) {
    const std::string tool =
        step.tool ? std::string(toolDisplayName(*step.tool)) : "The command interpreter";
    return notStartedMessage(tool, step.program, end.error);
}

// What the output is instead of a PS2 program, if it was written and is not one.
const std::optional<std::string>& notAProgram(const Output& output) {
    return output.fact.unusable;
}

// `end` is how the tool ended, when that is known and it did not succeed.
std::string notAProgramText(const Output& output, const std::string& what, const ToolOutcome* end) {
    std::string text = std::string("The ") + output.what + " that " + output.tool +
                       " wrote is not a PS2 program (it is " + what + ")";
    if (end) text += ", and " + output.tool + " " + outcomePhrase(*end);
    return text + ":\n" + output.path;
}

// Why the packer was not started after the patch step.
const char* packerHeldBack(const ToolJobResult& result) {
    if (result.steps.empty() || !result.outputs[0].written) return "no older file is packed";
    if (!result.steps[0].succeeded()) return "no incomplete file is packed";
    return "nothing but a PS2 program is packed";
}

// One step per output: each tool is judged on its own file.
void judgeToolSteps(const PatchPlan& plan, const ToolJobResult& result,
                    std::vector<std::string>& problems) {
    const std::vector<ToolStep>& steps = plan.job.steps;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i >= result.steps.size()) {
            problems.push_back(outputOf(plan, result, i).tool + " was not started, so that " +
                               packerHeldBack(result) + ".");
            return;
        }
        const ToolOutcome& end = result.steps[i];
        const Output output = outputOf(plan, result, i);
        if (!end.started()) {
            problems.push_back(notStarted(steps[i], end));
        } else if (!output.fact.written) {
            problems.push_back(notWritten(output, end));
        } else if (const auto& what = notAProgram(output)) {
            problems.push_back(notAProgramText(output, *what, end.succeeded() ? nullptr : &end));
        } else if (!end.succeeded()) {
            problems.push_back(mayBeIncomplete(output, end));
        }
    }
}

// One batch file runs both tools; only its interpreter's end is known, and it
// ends the way the last tool did.
void judgeBatchRun(const PatchPlan& plan, const ToolJobResult& result,
                   std::vector<std::string>& problems) {
    if (result.steps.empty() || !result.steps.front().started()) {
        problems.push_back(notStarted(plan.job.steps.front(),
                                      result.steps.empty() ? ToolOutcome{} : result.steps.front()));
        return;
    }
    const ToolOutcome& end = result.steps.front();
    const Output patched = outputOf(plan, result, 0);
    const Output packed = outputOf(plan, result, 1);
    // Which tool failed is not known, so neither is named as failing.
    const ToolOutcome ranToEnd = ToolOutcome::exited(0);
    if (!patched.fact.written) problems.push_back(notWritten(patched, ranToEnd));
    for (const Output& output : {patched, packed}) {
        if (const auto& what = notAProgram(output))
            problems.push_back(notAProgramText(output, *what, nullptr));
    }
    if (!packed.fact.written) {
        problems.push_back(notWritten(packed, ranToEnd));
    } else if (!patched.fact.written) {
        problems.push_back("The packed loader was made from an older file:\n" + packed.path);
    } else if (notAProgram(patched) && !notAProgram(packed)) {
        problems.push_back("The packed loader was made from a file that is not a PS2 program:\n" +
                           packed.path);
    }
    if ((patched.fact.written || packed.fact.written) && !end.succeeded()) {
        std::string text =
            "The packing run " + outcomePhrase(end) + ", so what it wrote may be incomplete:";
        for (const Output& output : {patched, packed})
            if (output.fact.written) text += "\n" + output.path;
        problems.push_back(text);
    }
}

std::string joinParagraphs(const std::vector<std::string>& paragraphs) {
    std::string text;
    for (const std::string& paragraph : paragraphs) {
        if (!text.empty()) text += "\n\n";
        text += paragraph;
    }
    return text;
}

}  // namespace

std::string judgePatchRun(const PatchPlan& plan, const ToolJobResult& result,
                          const ProgramDirectory& dir) {
    if (result.scratchNotWritten) {
        return "The packing batch file could not be written:\n" + plan.job.scratchPath + "\n" +
               *result.scratchNotWritten;
    }
    std::vector<std::string> problems;
    if (plan.toolByTool()) {
        judgeToolSteps(plan, result, problems);
    } else {
        judgeBatchRun(plan, result, problems);
    }
    if (result.scratchLeft) {
        problems.push_back("The packing batch file could not be deleted:\n" + plan.job.scratchPath +
                           "\n" + *result.scratchLeft);
    }
    // A tool that is missing: say where it goes.
    if (!problems.empty()) {
        for (std::size_t i = 0; i < plan.job.outputs.size(); ++i) {
            const std::string advice = dir.missingToolAdvice(PatchPlan::writerOf(i));
            if (!advice.empty()) problems.push_back(advice);
        }
    }
    return joinParagraphs(problems);
}

}  // namespace kelvane
