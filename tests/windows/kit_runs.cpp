// From program directories with awkward names, runs the composed patch, packer,
// extraction and Notepad command lines, then a.bat as the program writes and
// runs it on Windows, and checks what each stand-in received.

#include <windows.h>

#include <tuple>

#include "common/file_io.h"
#include "common/loader.h"
#include "demo_loader/demo_loader.h"
#include "hdlpatch/extracted_graphics.h"
#include "help/readme_documents.h"
#include "patch/patch_composition.h"
#include "patch/patch_plan.h"
#include "patch/patch_validation.h"
#include "platform/desktop/notepad_command.h"
#include "platform/files/batch_file_io.h"
#include "skin/colour_table.h"
#include "skin/graphics_extraction.h"
#include "skin/image_slots.h"
#include "wintest.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {
namespace {

// A kit in a directory with an awkward name: the two stand-ins, a loader and
// replacement graphics whose names carry the same characters, and the main
// window's state with every switch set.
struct AwkwardKit {
    AwkwardKit(const fs::path& root, const std::string& kitName, const Setup& setup)
        : name(kitName),
          dir(utf8(root / nativePath(kitName)), '\\'),
          patchRun{"hdlpatch", dir.directory(), {}} {
        const fs::path directory = nativePath(dir.directory());
        for (const char* sub : {"tools", "hdl_gfx", "my gfx"})
            fs::create_directories(directory / sub);
        for (const char* tool : {"hdlpatch.exe", "ps2-packer.exe"})
            fs::copy_file(setup.toolsDirectory / tool, directory / "tools" / tool,
                          fs::copy_options::overwrite_existing);

        state.openelf = path("Loader " + name + ".ELF");
        tools::writeFileBytes(nativePath(state.openelf), tools::makeDemoLoader());
        const std::pair<std::string FormState::*, const char*> switches[] = {
            {&FormState::uno, "/n"},     {&FormState::due, "/c"},    {&FormState::tre, "/s"},
            {&FormState::quattro, "/b"}, {&FormState::cinque, "/f"}, {&FormState::sei, "/l"},
            {&FormState::Dx, "/D3"},     {&FormState::Text4, "/T1"}};
        for (const auto& [field, value] : switches) {
            state.*field = value;
            patchRun.args.push_back(value);
        }
        state.textxhex = "82";
        state.textyhex = "2D";
        patchRun.args.insert(patchRun.args.end(), {"/P", "82,2D"});

        const std::tuple<ImageSlot, const char*, std::string> images[] = {
            {ImageSlot::Font, "/IF", "font " + name + ".bmp"},
            {ImageSlot::SplashScreen, "/IS", "splash " + name + ".bmp"},
            {ImageSlot::MainMenuScreen, "/IM", "main " + name + ".bmp"},
            {ImageSlot::ButtonImage, "/IB", "button " + name + ".tga"},
        };
        // The font is a pair the stand-in accepts: the sheet and widths of
        // the graphics set it extracts.
        tools::Bytes fontSheet, fontWidths;
        for (const tools::GraphicsFile& file : tools::makeExtractedGraphics()) {
            if (file.name == "hdl_font.bmp") fontSheet = file.content;
            if (file.name == "hdl_font.dat") fontWidths = file.content;
        }
        for (const auto& [slot, switchText, file] : images) {
            const std::string image = path("my gfx\\" + file);
            if (slot == ImageSlot::Font)
                tools::writeFileBytes(nativePath(image), fontSheet);
            else
                tools::writeFileText(nativePath(image), "picture");
            chooseSlotFile(state, slot, image, '\\');
            patchRun.args.insert(patchRun.args.end(), {switchText, image});
        }
        tools::writeFileBytes(nativePath(path("my gfx\\font " + name + ".dat")), fontWidths);
        tools::writeFileText(nativePath(colourTablePath(dir)), "FFFFFF80 // 1_Text\r\n");
        state.colors = colourTableFragment(dir);
        outputNameChanged(state, dir, "OUT " + name + ".ELF");
        state.textpacked = path("PACKED_OUTFILE.ELF");
        patchRun.args.insert(patchRun.args.end(),
                             {"/IC", path("hdl_gfx\\hdl_colors.txt"), state.openelf, state.Text2});
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
    const std::string readme = readmePath(dir, ReadmeDocument::HdlPatch);
    runExpecting({notepadCommandLine(readme), utf8(notepad)},
                 {"argv_echo", "", {"notepad.exe", readme}}, scratch, name + " notepad");
}

// Runs a packing run's a.bat as "Patch" does with "Pack" ticked; returns
// whether the directory passed the checks for such a run.
bool checkBatchFile(const AwkwardKit& kit, const std::string& system, const fs::path& scratch) {
    const std::string& name = kit.name;
    fs::remove(nativePath(kit.state.Text2));
    fs::remove(nativePath(kit.state.textpacked));
    const auto refusal =
        checkPatchRequest(kit.state, kit.dir, {.pack = true, .method = PackingMethod::BatchFile});
    const PatchPlan plan = planPatchRun(kit.state, kit.dir, true, PackingMethod::BatchFile, system);

    // The bytes the program writes: only text that reads back the same in the
    // ANSI and the OEM (console) code page, which cmd.exe reads a.bat in.
    if (plan.refusal) {
        note(name + ": a.bat cannot be written for ANSI code page " + std::to_string(GetACP()) +
             " and OEM code page " + std::to_string(GetOEMCP()) + "; the run is refused");
        return false;
    }
    const fs::path batch = nativePath(plan.job.scratchPath);
    if (!CHECK(plan.job.steps.size() == 1 && tools::writeFileText(batch, plan.job.scratchBytes),
               name))
        return false;
    const Ended run = runOne({plan.job.steps[0].commandLine}, scratch);
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
