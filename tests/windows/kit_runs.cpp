// From program directories with awkward names, runs the composed patch, packer
// and Notepad command lines, then a.bat as the program writes and runs it,
// and checks what each stand-in received.

#include <windows.h>

#include <algorithm>

#include "common/file_io.h"
#include "common/loader.h"
#include "demo_loader/demo_loader.h"
#include "help/readme_documents.h"
#include "patch/patch_composition.h"
#include "patch/patch_plan.h"
#include "patch/patch_validation.h"
#include "platform/desktop/notepad_command.h"
#include "platform/files/batch_file_io.h"
#include "platform/files/file_identity.h"
#include "skin/image_slots.h"
#include "wintest.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {
namespace {

// A kit in a directory with an awkward name: the two stand-ins, and a loader
// and replacement pictures whose names carry the same characters.
struct AwkwardKit {
    AwkwardKit(const fs::path& root, const std::string& kitName, const Setup& setup)
        : name(kitName), dir(utf8(root / nativePath(kitName)), '\\') {
        const fs::path directory = nativePath(dir.directory());
        fs::create_directories(directory / "tools");
        for (const char* tool : {"hdlpatch.exe", "ps2-packer.exe"})
            fs::copy_file(setup.toolsDirectory / tool, directory / "tools" / tool,
                          fs::copy_options::overwrite_existing);
        state.openelf = path("Loader " + name + ".ELF");
        tools::writeFileBytes(nativePath(state.openelf), tools::makeDemoLoader());
        state.uno = "/n";
        state.Dx = "/D3";
        state.Text4 = "/T1";
        state.textxhex = "82";
        state.textyhex = "2D";
        const std::string splash = path("splash " + name + ".bmp");
        tools::writeFileText(nativePath(splash), "picture");
        chooseSlotFile(state, ImageSlot::SplashScreen, splash, '\\');
        outputNameChanged(state, dir, "OUT " + name + ".ELF");
        state.textpacked = path("PACKED_OUTFILE.ELF");
        patchRun = {"hdlpatch",
                    dir.directory(),
                    {"/n", "/D3", "/T1", "/P", "82,2D", "/IS", splash, state.openelf, state.Text2}};
        packerRun = {"ps2-packer", dir.directory(), {state.Text2, state.textpacked}};
    }

    std::string path(const std::string& relative) const {
        return dir.directory() + "\\" + relative;
    }

    std::string name;
    ProgramDirectory dir;
    FormState state;
    // What HDLPatch and ps2-packer must log for the composed lines.
    tools::ToolLogRecord patchRun, packerRun;
};

std::string logText(const std::vector<tools::ToolLogRecord>& records) {
    std::string text;
    for (const auto& record : records) text += tools::formatToolLogRecord(record);
    return text;
}

// Runs one command line; it must exit with 0 and leave exactly `expected`.
void runExpecting(const Start& start, const tools::ToolLogRecord& expected, const fs::path& scratch,
                  const std::string& what) {
    const Ended run = runOne(start, scratch);
    CHECK(run.problem.empty() && logText(run.records) == logText({expected}),
          what << " <" << start.commandLine << ">: " << run.problem << "\nlogged:\n"
               << logText(run.records) << "expected:\n"
               << logText({expected}));
}

bool outputsWritten(const AwkwardKit& kit) {
    std::error_code error;
    return fs::file_size(nativePath(kit.state.Text2), error) == tools::kLoaderSize &&
           fs::exists(nativePath(kit.state.textpacked));
}

void checkCommandLines(const AwkwardKit& kit, const fs::path& notepad, const fs::path& scratch) {
    const ProgramDirectory& dir = kit.dir;
    const auto refusal = checkPatchRequest(kit.state, dir, {});
    CHECK(!refusal, kit.name << ": direct patch run refused: " << (refusal ? refusal->text : ""));
    runExpecting({patchCommandLine(kit.state, dir), {}, dir.directory()}, kit.patchRun, scratch,
                 kit.name + " patch");
    runExpecting({packerCommandLine(kit.state, dir), {}, dir.directory()}, kit.packerRun, scratch,
                 kit.name + " packer");
    CHECK(outputsWritten(kit), kit.name << ": outputs missing");
    // Notepad: the composed line, started with the stand-in by its path.
    const std::string readme = readmePath(dir, ReadmeDocument::HdlPatch);
    runExpecting({notepadCommandLine(readme), utf8(notepad)},
                 {"argv_echo", "", {"notepad.exe", readme}}, scratch, kit.name + " notepad");
}

// Runs a packing run's a.bat as "Patch" does with "Pack" ticked.
void checkBatchFile(const AwkwardKit& kit, const std::string& system, const fs::path& scratch) {
    if (const auto refusal = checkPatchRequest(kit.state, kit.dir,
                                               {.pack = true, .method = PackingMethod::BatchFile}))
        return void(CHECK(kit.name.find_first_of("%&^|<>") != std::string::npos,
                          kit.name << ": refused without cause: " << refusal->text));
    // The plan refuses text that reads differently in the ANSI and the OEM
    // (console) code page, which cmd.exe reads a.bat in.
    const PatchPlan plan = planPatchRun(kit.state, kit.dir, true, PackingMethod::BatchFile, system);
    const auto ascii = [](char c) { return (c & 0x80) == 0; };
    if (plan.refusal)
        return void(
            CHECK(!std::all_of(kit.name.begin(), kit.name.end(), ascii),
                  kit.name << ": refused for code pages " << GetACP() << ", " << GetOEMCP()));
    fs::remove(nativePath(kit.state.Text2));
    fs::remove(nativePath(kit.state.textpacked));
    const fs::path batch = nativePath(plan.job.scratchPath);
    if (!CHECK(plan.job.steps.size() == 1 && tools::writeFileText(batch, plan.job.scratchBytes),
               kit.name))
        return;
    const Ended run = runOne({plan.job.steps[0].commandLine}, scratch);
    DeleteFileW(batch.c_str());
    CHECK(run.problem.empty() && outputsWritten(kit) &&
              logText(run.records) == logText({kit.patchRun, kit.packerRun}),
          kit.name << ": cmd " << run.problem << ", outputs " << outputsWritten(kit)
                   << ", logged:\n"
                   << logText(run.records));
}

}  // namespace

void runKits(const Setup& setup) {
    // argv_echo under Notepad's name records the arguments Notepad would get.
    const fs::path notepad = setup.scratch / "notepad.exe";
    fs::copy_file(setup.testDirectory / "argv_echo.exe", notepad);
    const std::string system = systemDirectory();
    for (const auto& name : setup.directoryNames) {
        const AwkwardKit kit(setup.scratch / "kits", name, setup);
        checkCommandLines(kit, notepad, setup.scratch);
        checkBatchFile(kit, system, setup.scratch);
    }
    // Windows names one file whatever the case of its name, also a file yet to be made.
    const std::string kits = utf8(setup.scratch / "kits");
    CHECK(sameFile(kits + "\\new.elf", kits + "\\NEW.ELF") &&
          !sameFile(kits + "\\new.elf", kits + "\\other.elf"));
}

}  // namespace kelvane::wintest
