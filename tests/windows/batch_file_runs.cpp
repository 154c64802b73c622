// Writes a.bat with the program's own composer and runs it through the
// system command interpreter the way the program does on Windows, for
// program directories with awkward names.

#include <windows.h>

#include <algorithm>

#include "awkward_kit.h"
#include "check.h"
#include "common/file_io.h"
#include "common/loader.h"
#include "patch/patch_plan.h"
#include "patch/patch_validation.h"
#include "tool_log.h"
#include "win_support.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {
namespace {

fs::path nativePath(const std::string& utf8) {
    return fs::path(wideFromUtf8(utf8));
}

std::string describe(const std::vector<tools::ToolLogRecord>& records) {
    std::string text;
    for (const auto& r : records) {
        text += " " + r.tool + "{cwd <" + r.cwd + ">";
        for (const auto& a : r.args) text += " <" + a + ">";
        text += "}";
    }
    return text.empty() ? " no tool ran" : text;
}

struct BatchRun {
    ProcessResult process;
    bool deleted = false;
    std::vector<tools::ToolLogRecord> records;
};

// Writes the plan's a.bat in the given code page, runs its single step,
// waits, and deletes a.bat, as "Patch" does with "Pack" ticked.
std::optional<BatchRun> runBatchPlan(const PatchPlan& plan, unsigned codePage,
                                     const fs::path& scratch) {
    auto bytes = toCodePage(plan.batchFileText, codePage);
    if (!bytes || plan.steps.size() != 1) return std::nullopt;
    const fs::path batch = nativePath(plan.batchFilePath);
    if (!tools::writeFileText(batch, *bytes)) return std::nullopt;

    const fs::path log = scratch / "tool.log";
    fs::remove(log);
    setToolLog(log);
    BatchRun run;
    run.process = runCommandLine(plan.steps[0].commandLine, {}, scratch);
    setToolLog({});
    run.deleted = DeleteFileW(batch.c_str()) != 0 && !fs::exists(batch);
    run.records = tools::readToolLog(log);
    return run;
}

// The command interpreter reads a batch file in the console's (OEM) code page,
// so a.bat must be written in it; a path that code page cannot hold must be
// refused before anything is written.
void checkAcceptedKit(const AwkwardKit& kit, const PatchPlan& plan, const fs::path& scratch) {
    const std::string& name = kit.name;
    auto oem = toCodePage(plan.batchFileText, CP_OEMCP);
    if (!oem) {
        CHECK(std::any_of(name.begin(), name.end(),
                          [](char c) { return static_cast<unsigned char>(c) >= 0x80; }),
              name << ": plain text not representable in code page " << GetOEMCP());
        note(name + ": a.bat cannot be written in OEM code page " + std::to_string(GetOEMCP()) +
             "; such a run must be refused");
        return;
    }
    auto run = runBatchPlan(plan, CP_OEMCP, scratch);
    if (!CHECK(run.has_value(), name << ": a.bat could not be written")) return;
    CHECK(run->process.started && run->process.exitCode == 0, name << ": cmd exit "
                                                                   << run->process.exitCode << "\n"
                                                                   << run->process.output);
    CHECK(run->deleted, name << ": a.bat not deleted");
    std::error_code error;
    CHECK(fs::file_size(nativePath(kit.state.Text2), error) == tools::kLoaderSize,
          name << ": no patched output");
    CHECK(fs::exists(nativePath(kit.state.textpacked)), name << ": no packed output");

    const auto& r = run->records;
    if (!CHECK(r.size() == 2, name << ":" << describe(r))) return;
    CHECK(r[0].tool == "hdlpatch" && r[0].args == kit.intendedPatchArguments(),
          name << ": patch line misread:" << describe(r));
    CHECK(r[0].cwd == kit.programDirectory.directory(),
          name << ": a.bat did not change to the program directory:" << describe(r));
    CHECK(r[1].tool == "ps2-packer" &&
              r[1].args == (std::vector<std::string>{kit.state.Text2, kit.state.textpacked}),
          name << ": packer line misread:" << describe(r));

    // The same file in the ANSI code page, where the two differ, to show why.
    auto ansi = toCodePage(plan.batchFileText, CP_ACP);
    if (ansi && *ansi != *oem) {
        fs::remove(nativePath(kit.state.Text2));
        auto ansiRun = runBatchPlan(plan, CP_ACP, scratch);
        const bool exact = ansiRun && ansiRun->records.size() == 2 &&
                           ansiRun->records[0].args == kit.intendedPatchArguments();
        note(name + ": the same a.bat in ANSI code page " + std::to_string(GetACP()) +
             (exact ? " is read correctly too"
                    : " is misread (cmd exit " + std::to_string(ansiRun->process.exitCode) +
                          "):" + describe(ansiRun->records)));
    }
}

// A refused directory: the refusal must name a character that a.bat cannot
// carry; the batch file is still run once to record what would have happened.
void checkRefusedKit(const AwkwardKit& kit, const std::string& reason, const PatchPlan& plan,
                     const fs::path& scratch) {
    CHECK(kit.name.find_first_of("%&^|<>") != std::string::npos,
          kit.name << ": refused without cause: " << reason);
    auto run = runBatchPlan(plan, CP_OEMCP, scratch);
    if (!run) return;
    const bool outputs =
        fs::exists(nativePath(kit.state.Text2)) && fs::exists(nativePath(kit.state.textpacked));
    std::string received = "no tool ran";
    if (!run->records.empty()) {
        const auto& patch = run->records.front();
        received = patch.tool + " got " +
                   (patch.args == kit.intendedPatchArguments() ? "exact" : "wrong") +
                   " arguments in <" + patch.cwd + ">";
    }
    note(kit.name + ": refused (" + reason.substr(0, reason.find('\n')) +
         "); run anyway: cmd exit " + std::to_string(run->process.exitCode) + ", " + received +
         (outputs ? ", outputs written" : ", outputs missing"));
}

}  // namespace

void runBatchFiles(const Setup& setup) {
    ScratchDir scratch;
    const std::string system = systemDirectory();
    int accepted = 0;
    for (const auto& name : setup.directoryNames) {
        AwkwardKit kit(scratch.path() / "kits", name, setup);
        PatchCheckOptions options;
        options.pack = true;
        options.method = PackingMethod::BatchFile;
        const PatchPlan plan =
            planPatchRun(kit.state, kit.programDirectory, true, PackingMethod::BatchFile, system);
        if (auto refusal = checkPatchRequest(kit.state, kit.programDirectory, options)) {
            checkRefusedKit(kit, refusal->text, plan, scratch.path());
        } else {
            ++accepted;
            checkAcceptedKit(kit, plan, scratch.path());
        }
    }
    std::cout << "a.bat: " << accepted << " of " << setup.directoryNames.size()
              << " program directories passed the checks for a packing run (ANSI code page "
              << GetACP() << ", OEM code page " << GetOEMCP() << ")" << std::endl;
}

}  // namespace kelvane::wintest
