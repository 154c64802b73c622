// From program directories with awkward names, runs the composed patch, packer,
// extraction and Notepad command lines, then a.bat as the program writes and
// runs it on Windows, and checks what each stand-in received.

#include <windows.h>

#include "common/file_io.h"
#include "common/loader.h"
#include "help/readme_documents.h"
#include "patch/patch_composition.h"
#include "patch/patch_plan.h"
#include "patch/patch_validation.h"
#include "platform/batch_file_io.h"
#include "platform/notepad_command.h"
#include "skin/colour_table.h"
#include "skin/graphics_extraction.h"
#include "wintest.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {
namespace {

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
    const std::string& name = kit.name;
    const auto refusal = checkPatchRequest(kit.state, dir, {});
    CHECK(!refusal, name << ": direct patch run refused: " << (refusal ? refusal->text : ""));

    runExpecting({patchCommandLine(kit.state, dir), {}, dir.directory()}, kit.patchRun, scratch,
                 name + " patch");
    runExpecting({packerCommandLine(kit.state, dir), {}, dir.directory()}, kit.packerRun, scratch,
                 name + " packer");
    CHECK(outputsWritten(kit), name << ": outputs missing");

    // Extraction: three words; the six files land in the tool's working directory.
    CHECK(extractionCommandLineIsFaithful(dir, kit.state.openelf), name);
    const std::string preview = previewDirectory(dir);
    fs::create_directories(nativePath(preview));
    runExpecting({graphicsExtractionCommandLine(dir, kit.state.openelf), {}, preview},
                 {"hdlpatch", preview, {"/X", kit.state.openelf}}, scratch, name + " extraction");
    for (const char* file : {"hdl_button.tga", "hdl_colors.txt", "hdl_font.bmp", "hdl_font.dat",
                             "hdl_main.bmp", "hdl_splash.bmp"})
        CHECK(fs::exists(nativePath(preview) / file), name << ": " << file << " not extracted");

    // Notepad: the composed line, started with the stand-in by its path.
    for (const std::string& document :
         {colourTablePath(dir), readmePath(dir, ReadmeDocument::HdlPatch),
          readmePath(dir, ReadmeDocument::PackerV04)})
        runExpecting({notepadCommandLine(document), utf8(notepad)},
                     {"argv_echo", "", {"notepad.exe", document}}, scratch, name + " notepad");
}

// Runs a packing run's a.bat as "Patch" does with "Pack" ticked; returns
// whether the directory passed the checks for such a run.
bool checkBatchFile(const AwkwardKit& kit, const std::string& system, const fs::path& scratch) {
    const std::string& name = kit.name;
    fs::remove(nativePath(kit.state.Text2));
    fs::remove(nativePath(kit.state.textpacked));
    PatchCheckOptions options;
    options.pack = true;
    options.method = PackingMethod::BatchFile;
    const auto refusal = checkPatchRequest(kit.state, kit.dir, options);
    const PatchPlan plan = planPatchRun(kit.state, kit.dir, true, PackingMethod::BatchFile, system);

    // The bytes the program writes: only text that reads back the same in the
    // ANSI and the OEM (console) code page, which cmd.exe reads a.bat in.
    const auto bytes = batchFileBytes(plan.batchFileText);
    if (!bytes) {
        note(name + ": a.bat cannot be written for ANSI code page " + std::to_string(GetACP()) +
             " and OEM code page " + std::to_string(GetOEMCP()) + "; the run is refused");
        return false;
    }
    const fs::path batch = nativePath(plan.batchFilePath);
    if (!CHECK(plan.steps.size() == 1 && tools::writeFileText(batch, *bytes), name)) return false;
    const Ended run = runOne({plan.steps[0].commandLine}, scratch);
    CHECK(DeleteFileW(batch.c_str()) && !fs::exists(batch), name << ": a.bat not deleted");
    const bool exact = run.problem.empty() && outputsWritten(kit) &&
                       logText(run.records) == logText({kit.patchRun, kit.packerRun});
    if (refusal) {
        // A refusal names a character a.bat cannot carry, and a.bat run anyway
        // does go wrong.
        CHECK(name.find_first_of("%&^|<>") != std::string::npos,
              name << ": refused without cause: " << refusal->text);
        CHECK(!exact, name << ": refused, yet a.bat ran correctly");
        return false;
    }
    CHECK(exact, name << ": cmd " << run.problem << ", outputs " << outputsWritten(kit)
                      << ", logged:\n"
                      << logText(run.records));
    return true;
}

}  // namespace

void runKits(const Setup& setup) {
    // argv_echo under Notepad's name records the arguments Notepad would get.
    const fs::path notepad = setup.scratch / "notepad.exe";
    fs::copy_file(setup.testDirectory / "argv_echo.exe", notepad);
    const std::string system = systemDirectory();
    CHECK(fs::exists(nativePath(system) / "cmd.exe"), system);
    int accepted = 0;
    for (const auto& name : setup.directoryNames) {
        const AwkwardKit kit(setup.scratch / "kits", name, setup);
        checkCommandLines(kit, notepad, setup.scratch);
        accepted += checkBatchFile(kit, system, setup.scratch);
    }
    std::cout << "a.bat: " << accepted << " of " << setup.directoryNames.size()
              << " program directories passed the checks for a packing run (ANSI code page "
              << GetACP() << ", OEM code page " << GetOEMCP() << ")" << std::endl;
}

}  // namespace kelvane::wintest
