#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/loader.h"
#include "hdlpatch/patch_record.h"
#include "kit_paths.h"
#include "run_tool.h"
#include "tool_log.h"

namespace fs = std::filesystem;
using namespace kelvane::testing;
using kelvane::tools::readToolLog;

namespace {

constexpr const char* kStandInLine = "This hdlpatch is a stand-in for HDLPatch";

void writeFile(const fs::path& file, std::size_t size, char fill = 'x') {
    std::ofstream(file, std::ios::binary) << std::string(size, fill);
}

class HdlpatchPatch : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = temp.path() / "My Kit & (x) 100%";
        fs::create_directories(dir / "hdl gfx");
        input = dir / "HD LOADER.ELF";
        fs::copy_file(demoLoader(), input);
        output = dir / "OUT FILE.ELF";
        for (const char* name : {"hdl gfx/my font.bmp", "hdl gfx/my font.dat", "hdl gfx/splash.bmp",
                                 "hdl gfx/main.bmp", "hdl gfx/button.tga", "hdl gfx/colors.txt"})
            writeFile(dir / name, 10);
    }

    ToolRun patch(std::vector<std::string> switches) {
        switches.push_back(input.string());
        switches.push_back(output.string());
        return runTool(hdlpatchProgram(), switches, dir, log);
    }

    std::string gfx(const char* name) const { return (dir / "hdl gfx" / name).string(); }

    TempDir temp;
    fs::path dir, input, output;
    fs::path log = temp.path() / "tool.log";
};

TEST_F(HdlpatchPatch, AcceptsEveryPatchSwitchAndPathsWithBlanks) {
    std::vector<std::string> switches = {"/n",  "/c",
                                         "/s",  "/b",
                                         "/f",  "/l",
                                         "/D3", "/T1",
                                         "/P",  "82,2D",
                                         "/IF", gfx("my font.bmp"),
                                         "/IS", gfx("splash.bmp"),
                                         "/IM", gfx("main.bmp"),
                                         "/IB", gfx("button.tga"),
                                         "/IC", gfx("colors.txt")};
    ToolRun run = patch(switches);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind(kStandInLine, 0), 0u) << run.out;
    EXPECT_NE(run.out.find("/n /c /s /b /f /l /D3 /T1 /P 82,2D /IF my font.bmp"), std::string::npos)
        << run.out;

    // Same size as the input, changed only inside the mark, which names the switches.
    std::string before = readText(input), after = readText(output);
    ASSERT_EQ(after.size(), kelvane::tools::kLoaderSize);
    EXPECT_NE(before, after);
    const auto at = kelvane::tools::kPatchRecordOffset;
    const auto size = kelvane::tools::kPatchRecordSize;
    EXPECT_EQ(before.substr(0, at), after.substr(0, at));
    EXPECT_EQ(before.substr(at + size), after.substr(at + size));
    EXPECT_EQ(after.substr(at, 32), "HDLPATCH STAND-IN: /n /c /s /b /");

    // The log holds the arguments exactly as received, and the working directory.
    auto records = readToolLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].tool, "hdlpatch");
    EXPECT_EQ(records[0].cwd, dir.string());
    switches.push_back(input.string());
    switches.push_back(output.string());
    EXPECT_EQ(records[0].args, switches);
}

TEST_F(HdlpatchPatch, AcceptsEveryPositionOfOneOrTwoHexDigitsAndEachSwitchAlone) {
    for (const char* position : {"0,0", "00,00", "a,F", "ff,2d", "7,5A"}) {
        ToolRun run = patch({"/P", position});
        EXPECT_EQ(run.exitCode, 0) << position << ": " << run.err;
    }
    for (const char* sw : {"/D0", "/D1", "/D2", "/T2", "/T3", "/T4", "/T5", "/T6"}) {
        ToolRun run = patch({sw, "/P", "82,2D"});
        EXPECT_EQ(run.exitCode, 0) << sw << ": " << run.err;
    }
    EXPECT_EQ(patch({}).exitCode, 0) << "no switches at all";
}

struct Rejection {
    const char* what;
    std::vector<std::string> args;  // "IN", "OUT", "GFX/<name>" are replaced
};

TEST_F(HdlpatchPatch, RejectsBadCommandLinesWithAMessageAndWritesNothing) {
    fs::path shortLoader = dir / "short.elf", longLoader = dir / "long.elf";
    writeFile(shortLoader, kelvane::tools::kLoaderSize - 1);
    writeFile(longLoader, kelvane::tools::kLoaderSize + 1);
    fs::remove(dir / "hdl gfx" / "my font.dat");
    writeFile(dir / "hdl gfx" / "lonely.bmp", 10);

    const std::vector<Rejection> cases = {
        {"no arguments", {}},
        {"unknown switch", {"/Q", "IN", "OUT"}},
        {"fix switch in upper case", {"/N", "IN", "OUT"}},
        {"date fix out of range", {"/D4", "IN", "OUT"}},
        {"language out of range", {"/T7", "IN", "OUT"}},
        {"switch after the files", {"IN", "OUT", "/n"}},
        {"position without value", {"/P", "IN", "OUT"}},
        {"position joined to switch", {"/P82,2D", "IN", "OUT"}},
        {"position with three digits", {"/P", "823,2D", "IN", "OUT"}},
        {"position not hexadecimal", {"/P", "G1,2D", "IN", "OUT"}},
        {"position without Y", {"/P", "82,", "IN", "OUT"}},
        {"position without comma", {"/P", "822D", "IN", "OUT"}},
        {"file switch at the end", {"IN", "OUT", "/IB"}},
        {"file switch with empty name", {"/IB", "", "IN", "OUT"}},
        {"image missing", {"/IS", "GFX/nothing.bmp", "IN", "OUT"}},
        {"font without its .dat", {"/IF", "GFX/my font.bmp", "IN", "OUT"}},
        {"second font without its .dat", {"/IF", "GFX/lonely.bmp", "IN", "OUT"}},
        {"date fix twice", {"/D1", "/D2", "IN", "OUT"}},
        {"input missing", {"/n", (dir / "none.elf").string(), "OUT"}},
        {"input one byte short", {shortLoader.string(), "OUT"}},
        {"input one byte long", {longLoader.string(), "OUT"}},
        {"input is a directory", {dir.string(), "OUT"}},
        {"only one file", {"/n", "IN"}},
        {"three files", {"IN", "OUT", "OUT"}},
        {"empty output name", {"IN", ""}},
        {"extraction combined with a switch", {"/n", "/X", "IN"}},
        {"extraction with two files", {"/X", "IN", "OUT"}},
        {"output directory missing", {"IN", (dir / "no dir" / "x.elf").string()}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args;
        for (const auto& a : c.args) {
            if (a == "IN")
                args.push_back(input.string());
            else if (a == "OUT")
                args.push_back(output.string());
            else if (a.rfind("GFX/", 0) == 0)
                args.push_back(gfx(a.c_str() + 4));
            else
                args.push_back(a);
        }
        ToolRun run = runTool(hdlpatchProgram(), args, dir);
        EXPECT_NE(run.exitCode, 0) << c.what;
        EXPECT_NE(run.err.find("hdlpatch: "), std::string::npos) << c.what;
        EXPECT_FALSE(fs::exists(output)) << c.what;
    }
}

TEST(ToolLog, ParsesCompleteRecordsOnly) {
    const std::string text =
        "tool: ps2-packer\ncwd: C:\\Kit\narg: a b\narg: \narg: arg: x\nend\n"
        "stray line\n"
        "tool: hdlpatch\ncwd: /k\narg: /X\n";  // a run still writing
    auto records = kelvane::tools::parseToolLog(text);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].tool, "ps2-packer");
    EXPECT_EQ(records[0].cwd, "C:\\Kit");
    EXPECT_EQ(records[0].args, (std::vector<std::string>{"a b", "", "arg: x"}));
    EXPECT_EQ(kelvane::tools::formatToolLogRecord(records[0]), text.substr(0, text.find("stray")));
}

}  // namespace
