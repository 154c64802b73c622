#include <tuple>

#include "common/file_io.h"
#include "demo_loader/demo_loader.h"
#include "patch/patch_composition.h"
#include "skin/colour_table.h"
#include "skin/image_slots.h"
#include "wintest.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {

AwkwardKit::AwkwardKit(const fs::path& root, const std::string& kitName, const Setup& setup)
    : name(kitName),
      dir(utf8(root / nativePath(kitName)), '\\'),
      patchRun{"hdlpatch", dir.directory(), {}} {
    const fs::path directory = nativePath(dir.directory());
    for (const char* sub : {"tools", "hdl_gfx", "my gfx"}) fs::create_directories(directory / sub);
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
    for (const auto& [slot, switchText, file] : images) {
        const std::string image = path("my gfx\\" + file);
        tools::writeFileText(nativePath(image), "picture");
        chooseSlotFile(state, slot, image, '\\');
        patchRun.args.insert(patchRun.args.end(), {switchText, image});
    }
    tools::writeFileText(nativePath(path("my gfx\\font " + name + ".dat")), "widths");
    tools::writeFileText(nativePath(colourTablePath(dir)), "FFFFFF80 // 1_Text\r\n");
    state.colors = colourTableFragment(dir);
    outputNameChanged(state, dir, "OUT " + name + ".ELF");
    state.textpacked = path("PACKED_OUTFILE.ELF");
    patchRun.args.insert(patchRun.args.end(),
                         {"/IC", path("hdl_gfx\\hdl_colors.txt"), state.openelf, state.Text2});
    packerRun = {"ps2-packer", dir.directory(), {state.Text2, state.textpacked}};
}

std::string AwkwardKit::path(const std::string& relative) const {
    return dir.directory() + "\\" + relative;
}

}  // namespace kelvane::wintest
