#pragma once

#include <optional>
#include <string>
#include <vector>

#include "patch/patch_plan.h"
#include "platform/tool_outcome.h"

namespace kelvane {

// What a patch run did, gathered once it is over.
struct PatchRunFacts {
    std::vector<ToolEnd> ends;  // one for every step that was attempted
    // One for every output of the plan: a regular file was written at its
    // path during this run.
    std::vector<bool> written;
    // Why the batch file could not be deleted afterwards, if it could not.
    std::optional<std::string> batchFileLeft = std::nullopt;
    // For every output that was written: what it is instead of a PS2 program
    // (see ps2_program_check.h), or nothing when it is one. Missing entries
    // count as PS2 programs.
    std::vector<std::optional<std::string>> notAProgram = {};
};

// Run tool by tool, the next step runs only when this one ended by itself
// with exit code 0 and wrote its file, and that file is a PS2 program:
// packing an older, a half-written or a useless loader would pass it off as
// the new one.
bool nextStepMayRun(const ToolEnd& end, bool wroteItsOutput, bool outputIsAProgram);

// What the error box says after the run, one paragraph per problem: a tool
// not started, an output not written, an output that is not a PS2 program
// (and what it is instead), an output written by a tool that then failed (it
// may be incomplete), a packed file made from an older or a useless output, a
// batch file left behind. Empty when the run worked; a good run shows no box.
std::vector<std::string> judgePatchRun(const PatchPlan& plan, const PatchRunFacts& facts);

// The paragraphs as one message text.
std::string joinParagraphs(const std::vector<std::string>& paragraphs);

}  // namespace kelvane
