#pragma once

#include <string>
#include <vector>

#include "core/form_state.h"
#include "core/program_directory.h"

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

inline constexpr const char* kHdlPatchName = "HDLPatch";
inline constexpr const char* kPs2PackerName = "ps2-packer";
inline constexpr const char* kCommandInterpreterName = "The command interpreter";

// One program started by the run.
struct PlannedStep {
    std::string tool;              // name shown to the user
    std::string program;           // the executable the command line starts
    std::string commandLine;       // exactly as handed to the runner
    std::string workingDirectory;  // empty: the program's current one
};

// A file the run must write, and the tool responsible for it.
struct ExpectedOutput {
    std::string tool;
    std::string path;
};

struct PatchPlan {
    std::vector<PlannedStep> steps;
    // Set for a batch-file packing run: where a.bat goes and its bytes (before
    // conversion to the system code page).
    std::string batchFilePath;
    std::string batchFileText;
    // The patched output, then (packing) the packed output.
    std::vector<ExpectedOutput> outputs;

    // Each tool runs as its own step and is judged on its own file; a batch
    // file runs both in one step.
    bool toolByTool() const { return batchFilePath.empty(); }
};

// What pressing "Patch" runs, once the request has passed the checks.
// systemDirectory is where cmd.exe lives (used by the batch-file method only).
PatchPlan planPatchRun(const FormState& state, const ProgramDirectory& dir, bool pack,
                       PackingMethod method, const std::string& systemDirectory);

}  // namespace kelvane
