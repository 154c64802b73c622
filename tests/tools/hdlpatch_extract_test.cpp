#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "kit_paths.h"
#include "run_tool.h"

namespace fs = std::filesystem;
using namespace kelvane::testing;

namespace {

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

struct BmpInfo {
    std::uint32_t width, height, bits, compression;
};

// Checks the file and info headers of an uncompressed bitmap against its size.
BmpInfo checkBmp(const fs::path& file) {
    std::string bytes = readText(file);
    EXPECT_GE(bytes.size(), 54u) << file;
    if (bytes.size() < 54) return {};
    EXPECT_EQ(bytes.substr(0, 2), "BM") << file;
    EXPECT_EQ(le(bytes, 2, 4), bytes.size()) << file;
    EXPECT_EQ(le(bytes, 14, 4), 40u) << file;
    BmpInfo info{le(bytes, 18, 4), le(bytes, 22, 4), le(bytes, 28, 2), le(bytes, 30, 4)};
    const std::uint32_t row = (info.width * info.bits / 8 + 3) / 4 * 4;
    EXPECT_EQ(le(bytes, 10, 4) + row * info.height, bytes.size()) << file;
    return info;
}

// Number of distinct colours in a 24-bit bitmap: a flat picture has one.
std::size_t distinctColours(const fs::path& file) {
    std::string bytes = readText(file);
    std::set<std::uint32_t> colours;
    for (std::size_t at = le(bytes, 10, 4); at + 3 <= bytes.size(); at += 3)
        colours.insert(le(bytes, at, 3));
    return colours.size();
}

TEST(HdlpatchExtract, WritesExactlyTheSixFilesIntoItsWorkingDirectory) {
    TempDir temp;
    const fs::path target = temp.path() / "Kit (1) & 50% ^!" / "hdl_gfx";
    fs::create_directories(target);
    const fs::path log = temp.path() / "tool.log";

    ToolRun run = runTool(hdlpatchProgram(), {"/X", demoLoader().string()}, target, log);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(target)) names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"hdl_button.tga", "hdl_colors.txt", "hdl_font.bmp",
                                            "hdl_font.dat", "hdl_main.bmp", "hdl_splash.bmp"}));

    for (const char* screen : {"hdl_main.bmp", "hdl_splash.bmp"}) {
        BmpInfo info = checkBmp(target / screen);
        EXPECT_EQ(info.width, 512u) << screen;
        EXPECT_EQ(info.height, 448u) << screen;
        EXPECT_EQ(info.bits, 24u) << screen;
        EXPECT_EQ(info.compression, 0u) << screen;
        EXPECT_GT(distinctColours(target / screen), 50u) << screen << " should be a picture";
    }
    EXPECT_NE(readText(target / "hdl_main.bmp"), readText(target / "hdl_splash.bmp"));

    BmpInfo font = checkBmp(target / "hdl_font.bmp");
    EXPECT_EQ(font.bits, 24u);
    EXPECT_GT(font.width * font.height, 0u);
    EXPECT_GT(distinctColours(target / "hdl_font.bmp"), 1u);
    EXPECT_EQ(fs::file_size(target / "hdl_font.dat"), 256u);

    std::string tga = readText(target / "hdl_button.tga");
    ASSERT_GE(tga.size(), 18u);
    EXPECT_EQ(tga[2], 2) << "uncompressed true colour";
    EXPECT_EQ(le(tga, 12, 2), 128u);
    EXPECT_EQ(le(tga, 14, 2), 64u);
    EXPECT_EQ(static_cast<std::uint8_t>(tga[16]), 32u);
    EXPECT_EQ(tga.size(), 18u + static_cast<std::uint8_t>(tga[0]) + 128u * 64u * 4u);

    // Colour table: several CR LF lines "RRGGBBAA // X_Description".
    std::string colours = readText(target / "hdl_colors.txt");
    ASSERT_GE(colours.size(), 2u);
    EXPECT_EQ(colours.substr(colours.size() - 2), "\r\n");
    const std::regex entry("[0-9A-F]{8} // [12]_[^\r\n]+");
    std::size_t lines = 0;
    for (std::size_t start = 0; start < colours.size(); ++lines) {
        std::size_t end = colours.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        std::string line = colours.substr(start, end - start);
        EXPECT_TRUE(std::regex_match(line, entry)) << line;
        start = end + 2;
    }
    EXPECT_GE(lines, 3u);
}

TEST(HdlpatchExtract, WritesNothingForAnInputThatIsNotAnUnpackedLoader) {
    TempDir temp;
    const fs::path wrong = temp.path() / "small.elf";
    std::ofstream(wrong) << "not a loader";
    const fs::path target = temp.path() / "out";
    fs::create_directories(target);
    for (const fs::path& input : {wrong, temp.path() / "missing.elf"}) {
        ToolRun run = runTool(hdlpatchProgram(), {"/X", input.string()}, target);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(fs::is_empty(target)) << input;
    }
}

}  // namespace
