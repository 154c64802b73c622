#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "common/loader.h"
#include "hdlpatch/extracted_graphics.h"
#include "hdlpatch/patch_record.h"
#include "patch/ps2_program_check.h"
#include "ps2-packer/run_length.h"
#include "run_tool.h"
#include "skin/font/font_pair_check.h"
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
        for (const char* name : {"bad font.bmp", "bad font.dat", "splash.bmp", "main.bmp",
                                 "button.tga", "colors.txt", "lonely.bmp"})
            std::ofstream(dir / "hdl gfx" / name) << "x";
        // A good font pair: the one extraction writes.
        for (const auto& file : kelvane::tools::makeExtractedGraphics())
            if (file.name.rfind("hdl_font.", 0) == 0)
                std::ofstream(dir / "hdl gfx" / ("my font" + file.name.substr(8)), std::ios::binary)
                    .write(reinterpret_cast<const char*>(file.content.data()),
                           std::streamsize(file.content.size()));
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
    ToolRun run(const std::string& tool, const std::vector<std::string>& args,
                const fs::path& cwd) {
        return runTool(tool, expand(args), cwd, log);
    }

    TempDir temp;
    fs::path dir = temp.path / "My Kit & (x) 100% ^!";
    fs::path input = dir / "HD LOADER.ELF", output = dir / "OUT FILE.ELF";
    fs::path log = temp.path / "tool.log";
};

TEST_F(StandIn, HdlpatchTakesEverySwitchInItsRangesAndPathsWithBlanks) {
    // clang-format off
    const std::vector<std::string> args = {
        "/n", "/c", "/s", "/b", "/f", "/l", "/D3", "/T1", "/P", "82,2D",
        "/IF", "GFX/my font.bmp", "/IS", "GFX/splash.bmp", "/IM", "GFX/main.bmp",
        "/IB", "GFX/button.tga", "/IC", "GFX/colors.txt", "IN", "OUT"};
    // clang-format on
    ToolRun result = run("hdlpatch", args, dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;

    // Same size as the input, changed only inside the mark, which names the switches.
    const std::string before = readText(input), after = readText(output);
    ASSERT_EQ(after.size(), kLoaderSize);
    const auto at = kelvane::tools::kPatchRecordOffset, size = kelvane::tools::kPatchRecordSize;
    EXPECT_EQ(before.substr(0, at), after.substr(0, at));
    EXPECT_EQ(before.substr(at + size), after.substr(at + size));
    EXPECT_EQ(after.substr(at, 32), "HDLPATCH STAND-IN: /n /c /s /b /");
    EXPECT_EQ(kelvane::notAPs2Program(output.string()), std::nullopt);

    // The log holds the arguments exactly as received, and the working directory.
    auto records = kelvane::tools::readToolLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(kelvane::tools::formatToolLogRecord(records[0]),
              kelvane::tools::formatToolLogRecord({"hdlpatch", dir.string(), expand(args)}));

    // No switches, the ends of the ranges and hex positions of either case.
    for (std::vector<std::string> other : std::vector<std::vector<std::string>>{
             {}, {"/D0"}, {"/T6"}, {"/P", "0,0"}, {"/P", "a,F"}, {"/P", "ff,2d"}}) {
        SCOPED_TRACE(::testing::PrintToString(other));
        fs::remove(output);
        other.insert(other.end(), {"IN", "OUT"});
        EXPECT_EQ(run("hdlpatch", other, dir).exitCode, 0);
        EXPECT_EQ(readText(output).size(), kLoaderSize);
    }
}

// Like the real tools, the stand-ins refuse what they cannot do, say why and
// write nothing.
TEST_F(StandIn, BothToolsRefuseBadCommandLinesWithAMessageAndWriteNothing) {
    for (auto [name, size] :
         {std::pair{"short.elf", kLoaderSize - 1}, {"long.elf", kLoaderSize + 1}})
        std::ofstream(dir / "hdl gfx" / name) << std::string(size, 'x');
    // clang-format off
    const std::pair<std::string, std::vector<std::vector<std::string>>> refused[] = {
        {"hdlpatch", {
        {},
        // Switches: unknown, upper case, out of range, repeated, after the files.
        {"/Q", "IN", "OUT"}, {"/N", "IN", "OUT"}, {"/D4", "IN", "OUT"}, {"/T7", "IN", "OUT"},
        {"/D1", "/D2", "IN", "OUT"}, {"IN", "OUT", "/n"},
        // Positions: missing, joined, three digits, not hexadecimal, no Y, no comma.
        {"/P", "IN", "OUT"}, {"/P82,2D", "IN", "OUT"}, {"/P", "823,2D", "IN", "OUT"},
        {"/P", "G1,2D", "IN", "OUT"}, {"/P", "82,", "IN", "OUT"}, {"/P", "822D", "IN", "OUT"},
        // File switches: no name, empty name, missing image, font without its .dat, bad pair.
        {"IN", "OUT", "/IB"}, {"/IB", "", "IN", "OUT"}, {"/IS", "GFX/nothing.bmp", "IN", "OUT"},
        {"/IF", "GFX/lonely.bmp", "IN", "OUT"}, {"/IF", "GFX/bad font.bmp", "IN", "OUT"},
        // Inputs that are missing, one byte short or long, or a directory.
        {"/n", "GFX/none.elf", "OUT"}, {"GFX/short.elf", "OUT"}, {"GFX/long.elf", "OUT"},
        {dir.string(), "OUT"},
        // Wrong number of files, empty output name, extraction mixed up, no output directory.
        {"/n", "IN"}, {"IN", "OUT", "OUT"}, {"IN", ""}, {"/n", "/X", "IN"}, {"/X", "IN", "OUT"},
        {"IN", "GFX/no dir/x.elf"},
        // Extraction from a file that is not an unpacked loader, or none.
        {"/X", "GFX/colors.txt"}, {"/X", "GFX/missing.elf"}}},
        {"ps2-packer", {
        {}, {"IN"}, {"IN", "OUT", "third"}, {"-x", "IN", "OUT"}, {"GFX/missing.elf", "OUT"},
        {"IN", "GFX/no dir/out.elf"}}}};
    // clang-format on
    const auto files = [&] {
        std::set<fs::path> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) found.insert(entry.path());
        return found;
    };
    const std::set<fs::path> before = files();
    for (const auto& [tool, cases] : refused) {
        for (const auto& args : cases) {
            SCOPED_TRACE(tool + " " + ::testing::PrintToString(args));
            ToolRun result = run(tool, args, dir);
            EXPECT_NE(result.exitCode, 0);
            EXPECT_NE(result.err.find(tool + ": "), std::string::npos) << result.err;
            EXPECT_EQ(files(), before);
        }
    }
}

// What is extracted is what the program takes back in each slot: pictures,
// the font with its widths, and a colour table.
TEST_F(StandIn, HdlpatchExtractsWhatTheProgramTakesBackInEachSlot) {
    const fs::path target = dir / "hdl_gfx";
    fs::create_directories(target);
    ToolRun result = run("hdlpatch", {"/X", "IN"}, target);
    ASSERT_EQ(result.exitCode, 0) << result.err;

    using kelvane::ImageSlot;
    const std::pair<const char*, ImageSlot> extracted[] = {
        {"hdl_main.bmp", ImageSlot::MainMenuScreen},
        {"hdl_splash.bmp", ImageSlot::SplashScreen},
        {"hdl_button.tga", ImageSlot::ButtonImage}};
    for (const auto& [name, slot] : extracted) {
        const std::string bytes = readText(target / name);
        const auto facts = kelvane::describePicture(
            reinterpret_cast<const unsigned char*>(bytes.data()),
            std::min(bytes.size(), kelvane::kPictureHeadSize), bytes.size(), name);
        EXPECT_TRUE(kelvane::pictureFitsSlot(slot, facts) && !facts.compressed)
            << name << " is " << kelvane::describeFacts(facts);
        EXPECT_GT(std::set<char>(bytes.begin() + 64, bytes.end()).size(), 1u) << name;
    }
    EXPECT_NE(readText(target / "hdl_main.bmp"), readText(target / "hdl_splash.bmp"));
    kelvane::FontPairFiles font;
    const std::string sheet = readText(target / "hdl_font.bmp"),
                      dat = readText(target / "hdl_font.dat");
    font.sheet.assign(sheet.begin(), sheet.end());
    font.sheetFileSize = sheet.size();
    font.widthsPresent = true;
    font.widths.assign(dat.begin(), dat.end());
    EXPECT_TRUE(kelvane::checkFontPair(font).ok());
    EXPECT_GT(std::set<char>(sheet.begin() + 64, sheet.end()).size(), 1u);

    // Colour table: several CR LF lines "RRGGBBAA // X_Description".
    const std::string colours = readText(target / "hdl_colors.txt");
    EXPECT_TRUE(std::regex_match(colours, std::regex("([0-9A-F]{8} // [12]_[^\r\n]+\r\n){3,}")))
        << colours;
}

TEST_F(StandIn, PackerPacksTheLoaderIntoAPs2ProgramThatUnpacksToIt) {
    ToolRun result = run("ps2-packer", {"-v", "IN", "OUT"}, dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string loader = readText(input), packed = readText(output);
    using kelvane::tools::Bytes;
    EXPECT_EQ(kelvane::tools::unpackProgram(Bytes(packed.begin(), packed.end())),
              Bytes(loader.begin(), loader.end()));
    EXPECT_EQ(kelvane::notAPs2Program(output.string()), std::nullopt);
}

TEST(ToolLog, ParsesCompleteRecordsOnly) {
    const std::string text =
        "tool: ps2-packer\ncwd: C:\\Kit\narg: a b\narg: \narg: arg: x\nend\n"
        "stray line\n"
        "tool: hdlpatch\ncwd: /k\narg: /X\n";  // a run still writing
    auto records = kelvane::tools::parseToolLog(text);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].args, (std::vector<std::string>{"a b", "", "arg: x"}));
    EXPECT_EQ(kelvane::tools::formatToolLogRecord(records[0]), text.substr(0, text.find("stray")));
}

// Present, with the line ends Notepad needs.
TEST(Kit, HoldsTheThreeReadMesTheHelpMenuOpens) {
    for (const char* name :
         {"HDL PATCH README.txt", "PS2Packer 0.3 README.txt", "PS2Packer 0.4 README.txt"})
        EXPECT_NE(readText(kKitDir / "README" / name).find("\r\n"), std::string::npos) << name;
}

}  // namespace
