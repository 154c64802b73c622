#include "patch/patch_plan.h"

#include "core/tool_paths.h"
#include "patch/patch_composition.h"

namespace kelvane {

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
    plan.outputs.push_back({kHdlPatchName, state.Text2});
    if (!pack) {
        plan.steps.push_back(
            {kHdlPatchName, hdlpatchPath(dir), patchCommandLine(state, dir), std::string()});
        return plan;
    }
    plan.outputs.push_back({kPs2PackerName, state.textpacked});
    if (method == PackingMethod::BatchFile) {
        plan.batchFilePath = batchFilePath(dir);
        plan.batchFileText = batchFileText(batchFileLines(state, dir));
        plan.steps.push_back({kCommandInterpreterName, systemDirectory + "\\cmd.exe",
                              batchRunCommandLine(systemDirectory, dir), std::string()});
    } else {
        plan.steps.push_back(
            {kHdlPatchName, hdlpatchPath(dir), patchCommandLine(state, dir), dir.directory()});
        plan.steps.push_back(
            {kPs2PackerName, ps2PackerPath(dir), packerCommandLine(state, dir), dir.directory()});
    }
    return plan;
}

}  // namespace kelvane
