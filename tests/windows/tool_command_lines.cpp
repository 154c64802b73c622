// Runs the composed patch, packer, extraction and Notepad command lines
// through CreateProcessW against the Windows stand-ins, from program
// directories with awkward names, and checks what each program received.

#include "awkward_kit.h"
#include "check.h"
#include "common/loader.h"
#include "help/readme_documents.h"
#include "patch/patch_composition.h"
#include "patch/patch_validation.h"
#include "patch/tool_paths.h"
#include "platform/notepad_command.h"
#include "skin/colour_table.h"
#include "skin/graphics_extraction.h"
#include "tool_log.h"
#include "win_support.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {
namespace {

fs::path nativePath(const std::string& utf8) {
    return fs::path(wideFromUtf8(utf8));
}

// Runs one command line and returns the log record it left, if exactly one.
std::optional<tools::ToolLogRecord> runLogged(const std::string& commandLine,
                                              const std::string& workingDirectory,
                                              const fs::path& scratch, const std::string& what,
                                              const std::string& application = {}) {
    const fs::path log = scratch / "tool.log";
    fs::remove(log);
    setToolLog(log);
    ProcessResult run = runCommandLine(commandLine, workingDirectory, scratch, application);
    setToolLog({});
    CHECK(run.started, what << ": not started, error " << run.error << "; " << commandLine);
    CHECK(run.started && !run.timedOut && run.exitCode == 0, what << ": exit " << run.exitCode
                                                                  << "; " << commandLine << "\n"
                                                                  << run.output);
    auto records = tools::readToolLog(log);
    if (!CHECK(records.size() == 1, what << ": " << records.size() << " log records")) return {};
    return records.front();
}

void checkKit(const AwkwardKit& kit, const Setup& setup, const fs::path& scratch) {
    const ProgramDirectory& dir = kit.programDirectory;
    const std::string& name = kit.name;

    PatchCheckOptions direct;
    auto refusal = checkPatchRequest(kit.state, dir, direct);
    CHECK(!refusal, name << ": direct patch run refused: " << (refusal ? refusal->text : ""));

    // Patch: every switch, the loaded file and the output, exactly.
    if (auto record = runLogged(patchCommandLine(kit.state, dir), dir.directory(), scratch,
                                name + " patch")) {
        CHECK(record->tool == "hdlpatch", name);
        CHECK(record->args == kit.intendedPatchArguments(), name << ": patch arguments differ");
        CHECK(record->cwd == dir.directory(), name << ": cwd " << record->cwd);
    }
    std::error_code error;
    CHECK(fs::file_size(nativePath(kit.state.Text2), error) == tools::kLoaderSize,
          name << ": patched output " << kit.state.Text2);

    // Packer: the patched output in, the packed output out.
    if (auto record = runLogged(packerCommandLine(kit.state, dir), dir.directory(), scratch,
                                name + " packer")) {
        CHECK(record->tool == "ps2-packer", name);
        CHECK((record->args == std::vector<std::string>{kit.state.Text2, kit.state.textpacked}),
              name << ": packer arguments differ");
    }
    CHECK(fs::exists(nativePath(kit.state.textpacked)), name << ": " << kit.state.textpacked);

    // Extraction: three words, the six files in the tool's working directory.
    CHECK(extractionCommandLineIsFaithful(dir, kit.state.openelf), name);
    const std::string preview = previewDirectory(dir);
    fs::create_directories(nativePath(preview));
    if (auto record = runLogged(graphicsExtractionCommandLine(dir, kit.state.openelf), preview,
                                scratch, name + " extraction")) {
        CHECK((record->args == std::vector<std::string>{"/X", kit.state.openelf}), name);
        CHECK(record->cwd == preview, name << ": cwd " << record->cwd);
    }
    for (const char* file : {"hdl_button.tga", "hdl_colors.txt", "hdl_font.bmp", "hdl_font.dat",
                             "hdl_main.bmp", "hdl_splash.bmp"})
        CHECK(fs::exists(nativePath(preview) / file), name << ": " << file << " not extracted");

    // Notepad: the composed line, started with our own notepad.exe by its path.
    const std::string notepad = utf8FromWide((setup.testDirectory / "notepad.exe").wstring());
    for (const std::string& document :
         {colourTablePath(dir), readmePath(dir, ReadmeDocument::HdlPatch),
          readmePath(dir, ReadmeDocument::PackerV04)}) {
        if (auto record =
                runLogged(notepadCommandLine(document), {}, scratch, name + " notepad", notepad))
            CHECK((record->args == std::vector<std::string>{document}),
                  name << ": notepad got " << (record->args.empty() ? "" : record->args[0]));
    }
}

}  // namespace

void runToolCommandLines(const Setup& setup) {
    ScratchDir scratch;
    for (const auto& name : setup.directoryNames) {
        AwkwardKit kit(scratch.path() / "kits", name, setup);
        checkKit(kit, setup, scratch.path());
    }
    std::cout << "command lines: " << setup.directoryNames.size() << " program directories"
              << std::endl;
}

}  // namespace kelvane::wintest
