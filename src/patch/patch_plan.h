#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/form_state.h"
#include "core/program_directory.h"
#include "platform/process/tool_job.h"

namespace kelvane {

// How a packing run gets the patch and the packer run one after the other.
enum class PackingMethod {
    // Windows: write a.bat and run it with the system's command interpreter.
    BatchFile,
    // Elsewhere: the patch line and then the packer line, each run to its end
    // in the program directory; the packer only runs when the patch wrote its
    // output.
    ToolSteps,
};

// The packing method of the system the program was built for.
PackingMethod nativePackingMethod();

// The patch run as a tool job. Its outputs are the patched loader, then
// (packing) the packed loader, each checked to be a PS2 program.
struct PatchPlan {
    ToolJob job;
    // Set when a batch file is needed but cannot hold the paths as they are:
    // the message, and nothing may run.
    std::optional<std::string> refusal;

    // Each tool runs as its own step and is judged on its own file; a batch
    // file runs both in one step.
    bool toolByTool() const { return job.scratchPath.empty(); }
    // The tool that writes output `i`: HDLPatch the patched loader, ps2-packer
    // the packed one.
    static Tool writerOf(std::size_t i) { return i == 0 ? Tool::HdlPatch : Tool::Ps2Packer; }
};

// What pressing "Patch" runs, once the request has passed the checks.
// systemDirectory is where cmd.exe lives (used by the batch-file method only).
PatchPlan planPatchRun(const FormState& state, const ProgramDirectory& dir, bool pack,
                       PackingMethod method, const std::string& systemDirectory);

}  // namespace kelvane
