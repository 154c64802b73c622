#pragma once

#include <string>
#include <vector>

#include "core/program_directory.h"
#include "patch/patch_plan.h"
#include "platform/process/tool_job.h"

namespace kelvane {

// What the error box says after the run, one paragraph per problem: a tool
// not started, an output not written, an output that is not a PS2 program
// (and what it is instead), an output written by a tool that then failed (it
// may be incomplete), a packed file made from an older or a useless output, a
// batch file not written or left behind, and where a missing tool goes.
// Empty when the run worked; a good run shows no box.
std::string judgePatchRun(const PatchPlan& plan, const ToolJobResult& result,
                          const ProgramDirectory& dir);

}  // namespace kelvane
