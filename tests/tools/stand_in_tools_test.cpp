#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "common/loader.h"
#include "patch/ps2_program_check.h"
#include "ps2-packer/run_length.h"
#include "run_tool.h"
#include "skin/picture_check.h"
#include "tool_log.h"

namespace fs = std::filesystem;
using namespace kelvane::testing;
using kelvane::tools::kLoaderSize;

namespace {

// A loader and replacement graphics in a directory whose name has blanks and
// characters a shell would act on.
class StandIn : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir / "hdl gfx");
        fs::copy_file(kDemoLoader, input);
        for (const char* name : {"bad font.bmp", "bad font.dat", "lonely.bmp", "splash.bmp",
                                 "main.bmp", "button.tga", "colors.txt"})
            std::ofstream(dir / "hdl gfx" / name) << "x";
    }

    // The arguments with "IN", "OUT" and "GFX/<name>" replaced by their paths.
    std::vector<std::string> expand(const std::vector<std::string>& args) const {
        std::vector<std::string> real;
        for (const auto& a : args)
            real.push_back(a == "IN"                 ? input.string()
                           : a == "OUT"              ? output.string()
                           : a.rfind("GFX/", 0) == 0 ? (dir / "hdl gfx" / a.substr(4)).string()
                                                     : a);
        return real;
    }
    int run(const std::string& tool, const std::vector<std::string>& args, const fs::path& cwd) {
        return runTool(tool, expand(args), cwd, log);
    }

    ScratchDir temp{"kelvane-tools-"};
    fs::path dir = temp.path / "My Kit & (x) 100% ^!";
    fs::path input = dir / "HD LOADER.ELF", output = dir / "OUT FILE.ELF";
    fs::path log = temp.path / "tool.log";
};

TEST_F(StandIn, HdlpatchTakesEverySwitchAndThePackerPacksItsOutput) {
    // clang-format off
    const std::vector<std::string> args = {"/n", "/c", "/s", "/b", "/f", "/l", "/D3", "/T1",
        "/P", "82,2D", "/IS", "GFX/splash.bmp", "/IM", "GFX/main.bmp", "/IB", "GFX/button.tga",
        "/IC", "GFX/colors.txt", "IN", "OUT"};
    // clang-format on
    ASSERT_EQ(run("hdlpatch", args, dir), 0);

    EXPECT_EQ(readText(output).size(), kLoaderSize);
    EXPECT_EQ(kelvane::notAPs2Program(output.string()), std::nullopt);
    const auto records = kelvane::tools::readToolLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(kelvane::tools::formatToolLogRecord(records[0]),
              kelvane::tools::formatToolLogRecord({"hdlpatch", dir.string(), expand(args)}));

    // No switches; the other ends of the ranges; hex typed in either case.
    for (const std::vector<std::string>& other :
         {std::vector<std::string>{"IN", "OUT"}, {"/D0", "/T6", "/P", "a,f", "IN", "OUT"}}) {
        fs::remove(output);
        EXPECT_EQ(run("hdlpatch", other, dir), 0) << ::testing::PrintToString(other);
        EXPECT_EQ(readText(output).size(), kLoaderSize);
    }
    const fs::path packed = dir / "PACKED.ELF";
    ASSERT_EQ(runTool("ps2-packer", {"-v", output.string(), packed.string()}, dir, log), 0);
    const std::string loader = readText(output), packedText = readText(packed);
    using kelvane::tools::Bytes;
    EXPECT_EQ(kelvane::tools::unpackProgram(Bytes(packedText.begin(), packedText.end())),
              Bytes(loader.begin(), loader.end()));
    EXPECT_EQ(kelvane::notAPs2Program(packed.string()), std::nullopt);
}

// A font that is no sound pair (the font end-to-end test counts on this), a
// missing input and an unknown switch are refused, and nothing is written.
TEST_F(StandIn, BothToolsRefuseBadInputsAndWriteNothing) {
    const std::pair<std::string, std::vector<std::string>> refused[] = {
        {"hdlpatch", {"/IF", "GFX/lonely.bmp", "IN", "OUT"}},
        {"hdlpatch", {"/IF", "GFX/bad font.bmp", "IN", "OUT"}},
        {"hdlpatch", {"GFX/none.elf", "OUT"}},
        {"hdlpatch", {"/Q", "IN", "OUT"}},
        {"ps2-packer", {"GFX/missing.elf", "OUT"}}};
    const auto files = [&] {
        std::set<fs::path> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) found.insert(entry.path());
        return found;
    };
    const std::set<fs::path> before = files();
    for (const auto& [tool, args] : refused) {
        EXPECT_NE(run(tool, args, dir), 0) << tool << ::testing::PrintToString(args);
        EXPECT_EQ(files(), before);
    }
}

// The extracted pictures are what the program takes back in each slot (the
// six files and the colour table are read back by the skin's end-to-end test).
TEST_F(StandIn, HdlpatchExtractsWhatTheProgramTakesBackInEachSlot) {
    const fs::path target = dir / "hdl_gfx";
    fs::create_directories(target);
    ASSERT_EQ(run("hdlpatch", {"/X", "IN"}, target), 0);
    using kelvane::ImageSlot;
    for (const auto& [name, slot] : {std::pair{"hdl_main.bmp", ImageSlot::MainMenuScreen},
                                     {"hdl_splash.bmp", ImageSlot::SplashScreen},
                                     {"hdl_button.tga", ImageSlot::ButtonImage}}) {
        const std::string bytes = readText(target / name);
        const auto facts = kelvane::describePicture(
            reinterpret_cast<const unsigned char*>(bytes.data()),
            std::min(bytes.size(), kelvane::kPictureHeadSize), bytes.size(), name);
        EXPECT_TRUE(kelvane::pictureFitsSlot(slot, facts) && !facts.compressed)
            << name << " is " << kelvane::describeFacts(facts);
    }
}

// Blanks, empty arguments and arguments that look like a record's lines come
// back as they were; a record still being written is not read.
TEST(ToolLog, ParsesCompleteRecordsOnly) {
    const std::string text =
        "tool: ps2-packer\ncwd: C:\\Kit\narg: a b\narg: \narg: arg: x\nend\n"
        "stray line\n"
        "tool: hdlpatch\ncwd: /k\narg: /X\n";
    auto records = kelvane::tools::parseToolLog(text);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].args, (std::vector<std::string>{"a b", "", "arg: x"}));
    EXPECT_EQ(kelvane::tools::formatToolLogRecord(records[0]), text.substr(0, text.find("stray")));
}

}  // namespace
