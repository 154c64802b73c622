#include "awkward_kit.h"

#include "common/file_io.h"
#include "demo_loader/demo_loader.h"
#include "patch/patch_composition.h"
#include "patch/tool_paths.h"
#include "skin/colour_table.h"
#include "skin/image_slots.h"
#include "win_support.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {

const std::vector<std::string>& awkwardDirectoryNames() {
    static const std::vector<std::string> names = {
        "Plain",
        "Kit With Blanks",
        "Kit & Co",
        "100% Kit",
        "50%PATH%",
        "Caret ^ Kit",
        "Kit (x86)",
        "Kit!Bang!",
        "Kït Ünïcödé",
        "Кит Юникод",
        "all & of %them% ^ (here) !x! é",
    };
    return names;
}

AwkwardKit::AwkwardKit(const fs::path& root, const std::string& kitName, const Setup& setup)
    : directory(root / fs::path(wideFromUtf8(kitName))),
      programDirectory(utf8FromWide(directory.wstring()), '\\'),
      name(kitName) {
    fs::create_directories(directory / "tools");
    fs::create_directories(directory / "hdl_gfx");
    fs::create_directories(directory / "my gfx");
    for (const char* tool : {"hdlpatch.exe", "ps2-packer.exe"})
        fs::copy_file(setup.toolsDirectory / tool, directory / "tools" / tool,
                      fs::copy_options::overwrite_existing);

    const std::string loader = path("Loader " + kitName + ".ELF");
    tools::writeFileBytes(fs::path(wideFromUtf8(loader)), tools::makeDemoLoader());
    state.openelf = loader;

    state.uno = "/n";
    state.due = "/c";
    state.tre = "/s";
    state.quattro = "/b";
    state.cinque = "/f";
    state.sei = "/l";
    state.Dx = "/D3";
    state.Text4 = "/T1";
    state.textxhex = "82";
    state.textyhex = "2D";

    const std::pair<ImageSlot, std::string> images[] = {
        {ImageSlot::Font, "my gfx\\font " + kitName + ".bmp"},
        {ImageSlot::SplashScreen, "my gfx\\splash " + kitName + ".bmp"},
        {ImageSlot::MainMenuScreen, "my gfx\\main " + kitName + ".bmp"},
        {ImageSlot::ButtonImage, "my gfx\\button " + kitName + ".tga"},
    };
    for (const auto& [slot, relative] : images) {
        tools::writeFileText(fs::path(wideFromUtf8(path(relative))), "picture");
        chooseSlotFile(state, slot, path(relative), '\\');
    }
    tools::writeFileText(fs::path(wideFromUtf8(path("my gfx\\font " + kitName + ".dat"))),
                         "widths");
    tools::writeFileText(fs::path(wideFromUtf8(colourTablePath(programDirectory))),
                         "FFFFFF80 // 1_Text\r\n");
    state.colors = colourTableFragment(programDirectory);

    outputNameChanged(state, programDirectory, "OUT " + kitName + ".ELF");
    state.textpacked = path("PACKED_OUTFILE.ELF");
}

std::string AwkwardKit::path(const std::string& relative) const {
    return programDirectory.directory() + "\\" + relative;
}

std::vector<std::string> AwkwardKit::intendedPatchArguments() const {
    return {"/n",          "/c",
            "/s",          "/b",
            "/f",          "/l",
            "/D3",         "/T1",
            "/P",          "82,2D",
            "/IF",         path("my gfx\\font " + name + ".bmp"),
            "/IS",         path("my gfx\\splash " + name + ".bmp"),
            "/IM",         path("my gfx\\main " + name + ".bmp"),
            "/IB",         path("my gfx\\button " + name + ".tga"),
            "/IC",         path("hdl_gfx\\hdl_colors.txt"),
            state.openelf, state.Text2};
}

}  // namespace kelvane::wintest
