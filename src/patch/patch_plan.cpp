#include "patch/patch_plan.h"

#include "core/tool_paths.h"
#include "patch/patch_composition.h"
#include "patch/ps2_program_check.h"
#include "platform/files/batch_file_io.h"

namespace kelvane {
namespace {

// The last path element, for the console's title.
std::string fileNameOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

JobOutput loaderOutput(const std::string& path) {
    return {path, notAPs2Program, "a PS2 program"};
}

}  // namespace

PackingMethod nativePackingMethod() {
#ifdef _WIN32
    return PackingMethod::BatchFile;
#else
    return PackingMethod::ToolSteps;
#endif
}

PatchPlan planPatchRun(const FormState& state, const ProgramDirectory& dir, bool pack,
                       PackingMethod method, const std::string& systemDirectory) {
    PatchPlan plan;
    ToolJob& job = plan.job;
    job.outputs.push_back(loaderOutput(state.Text2));
    const ToolStep patch{Tool::HdlPatch,
                         hdlpatchPath(dir),
                         patchCommandLine(state, dir),
                         {},
                         "Patching to " + fileNameOf(state.Text2),
                         0};
    if (!pack) {
        job.steps.push_back(patch);
        return plan;
    }
    job.outputs.push_back(loaderOutput(state.textpacked));
    if (method == PackingMethod::BatchFile) {
        job.scratchPath = batchFilePath(dir);
        const std::optional<std::string> bytes =
            batchFileBytes(batchFileText(batchFileLines(state, dir)));
        if (!bytes) {
            plan.refusal =
                "The packing batch file cannot be written: a path holds characters that the "
                "command interpreter would not read as they are.\n" +
                job.scratchPath;
        }
        job.scratchBytes = bytes.value_or(std::string());
        // The batch file ends with the packed loader, which its step names.
        job.steps.push_back({std::nullopt,
                             systemDirectory + "\\cmd.exe",
                             batchRunCommandLine(systemDirectory, dir),
                             {},
                             "Patching and packing to " + fileNameOf(state.textpacked),
                             1});
    } else {
        job.steps.push_back(patch);
        job.steps.back().workingDirectory = dir.directory();
        job.steps.push_back({Tool::Ps2Packer, ps2PackerPath(dir), packerCommandLine(state, dir),
                             dir.directory(), "Packing to " + fileNameOf(state.textpacked), 1});
    }
    return plan;
}

}  // namespace kelvane
