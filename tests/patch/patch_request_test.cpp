#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "patch/patch_composition.h"
#include "patch/patch_plan.h"
#include "patch/patch_validation.h"
#include "patch/video_position.h"
#include "platform/command_line_split.h"

namespace kelvane {
namespace {

const ProgramDirectory kKit("C:\\Kit", '\\');

// The state right after start-up in `dir` with a loaded file and NTSC chosen.
FormState ntscState(const ProgramDirectory& dir, std::string loaded) {
    FormState state;
    state.openelf = std::move(loaded);
    outputNameChanged(state, dir, "OUTFILE.ELF");
    state.textpacked = dir.join("\\PACKED_OUTFILE.ELF");
    chooseDefaultPosition(state, VideoDefault::Ntsc);
    return state;
}

TEST(PatchCommandLine, EveryFragmentKeepsItsBlankInTheFixedOrder) {
    FormState state = ntscState(kKit, "C:\\Games\\HDLOADER.ELF");
    EXPECT_EQ(patchCommandLine(state, kKit),
              "\"C:\\Kit\\tools\\hdlpatch.exe\"         /P 82,2D      "
              "\"C:\\Games\\HDLOADER.ELF\" \"C:\\Kit\\OUTFILE.ELF\"");

    state.uno = "/n";
    state.due = "/c";
    state.tre = "/s";
    state.quattro = "/b";
    state.cinque = "/f";
    state.sei = "/l";
    state.Dx = "/D3";
    state.Text4 = "/T1";
    // The splash and main-menu fragments bring a blank of their own.
    state.Text1 = "/IF \"C:\\Art\\font.bmp\"";
    state.Text9 = " /IS \"C:\\Art\\splash.bmp\"";
    state.Text10 = " /IM \"C:\\Art\\main.bmp\"";
    state.pulsanti = "/IB \"C:\\Art\\b.tga\"";
    state.colors = "/IC \"C:\\Kit\\hdl_gfx\\hdl_colors.txt\"";
    EXPECT_EQ(switchPart(state),
              "/n /c /s /b /f /l /D3 /T1 /P 82,2D /IF \"C:\\Art\\font.bmp\"  /IS "
              "\"C:\\Art\\splash.bmp\"  /IM \"C:\\Art\\main.bmp\" /IB \"C:\\Art\\b.tga\" /IC "
              "\"C:\\Kit\\hdl_gfx\\hdl_colors.txt\"");
}

TEST(PatchCommandLine, DirectoryWithBlanksSplitsBackIntoTheIntendedArguments) {
    const ProgramDirectory dir("C:\\My Kit", '\\');
    FormState state = ntscState(dir, "C:\\My Kit\\samples\\DEMO 1.ELF");
    outputNameChanged(state, dir, "my.elf");
    const std::vector<std::string> patchArgs{"C:\\My Kit\\tools\\hdlpatch.exe", "/P", "82,2D",
                                             "C:\\My Kit\\samples\\DEMO 1.ELF",
                                             "C:\\My Kit\\my.elf"};
    EXPECT_EQ(splitWindowsCommandLine(patchCommandLine(state, dir)), patchArgs);
    EXPECT_EQ(packerCommandLine(state, dir),
              "\"C:\\My Kit\\tools\\ps2-packer.exe\" \"C:\\My Kit\\my.elf\" "
              "\"C:\\My Kit\\PACKED_OUTFILE.ELF\"");
}

TEST(BatchFile, SixCrLfLinesWithTheDriveAndAnUnquotedCd) {
    const FormState state = ntscState(kKit, "C:\\Games\\HDLOADER.ELF");
    EXPECT_EQ(batchFileText(batchFileLines(state, kKit)),
              "@echo off\r\n"
              "C:\r\n"
              "cd \\\r\n"
              "cd C:\\Kit\r\n"
              "\"C:\\Kit\\tools\\hdlpatch.exe\"         /P 82,2D      \"C:\\Games\\HDLOADER.ELF\" "
              "\"C:\\Kit\\OUTFILE.ELF\"\r\n"
              "\"C:\\Kit\\tools\\ps2-packer.exe\" \"C:\\Kit\\OUTFILE.ELF\" "
              "\"C:\\Kit\\PACKED_OUTFILE.ELF\"\r\n");

    const ProgramDirectory spaced("D:\\PS2 Tools\\Kelvane", '\\');
    const auto lines = batchFileLines(ntscState(spaced, "D:\\L.ELF"), spaced);
    EXPECT_EQ(lines[1], "D:");
    EXPECT_EQ(lines[3], "cd D:\\PS2 Tools\\Kelvane");  // cd takes it unquoted
}

class PatchChecks : public ::testing::Test {
  protected:
    std::optional<PatchRefusal> check(const ProgramDirectory& dir = kKit) {
        return checkPatchRequest(state, dir, options);
    }

    // The refusal is an error box whose text contains `part`.
    void expectError(const std::string& part, const ProgramDirectory& dir = kKit) {
        const auto refusal = check(dir);
        ASSERT_TRUE(refusal.has_value()) << "expected a refusal mentioning " << part;
        EXPECT_EQ(refusal->icon, PatchRefusal::Icon::Error);
        EXPECT_NE(refusal->text.find(part), std::string::npos) << refusal->text;
    }

    // The refusal is one of the two plain message boxes, with exactly `text`.
    void expectPlain(const std::string& text) {
        const auto refusal = check();
        ASSERT_TRUE(refusal.has_value()) << "expected " << text;
        EXPECT_EQ(refusal->text, text);
        EXPECT_EQ(refusal->icon, PatchRefusal::Icon::None);
    }

    FormState state = ntscState(kKit, "C:\\Games\\HDLOADER.ELF");
    PatchCheckOptions options;
};

TEST_F(PatchChecks, SoundRequestsPass) {
    EXPECT_FALSE(check().has_value());
    state.textxhex = "0";  // only "00","00" means no position was chosen
    state.textyhex = "00";
    outputNameChanged(state, kKit, "my game.elf");
    options.pack = true;
    options.method = PackingMethod::BatchFile;
    EXPECT_FALSE(check(ProgramDirectory("C:\\PS2 Tools (x86)\\Kit", '\\')).has_value());
}

TEST_F(PatchChecks, TheTwoOriginalMessagesComeFirstWithoutIcon) {
    state.text13 = "";  // would also be refused, but later
    state.textxhex = "00";
    state.textyhex = "00";
    state.openelf = "";
    expectPlain("Please load HDL/HDA (unpacked)");
    state.openelf = "C:\\L.ELF";
    expectPlain("Select at least PAL or NTSC default position screen.");
    state.textxhex = "82";
    expectError("output name");
}

TEST_F(PatchChecks, OutputNameAndPositionMustBeWhatTheToolCanTake) {
    for (const char* bad :
         {"", "A\"B.ELF", "sub/OUT.ELF", "sub\\OUT.ELF", "OUT\n.ELF", "OUT\x7f", "..", "."}) {
        outputNameChanged(state, kKit, bad);
        expectError("output name");
    }
    outputNameChanged(state, kKit, "OUTFILE.ELF");
    state.textxhex = "1G";
    expectError("X position \"1G\"");
    state.textxhex = "82";
    for (const char* bad : {"", "100", " 2", "2,"}) {
        state.textyhex = bad;
        expectError("Y position");
    }
}

TEST_F(PatchChecks, PathsThatWouldNotReachTheToolUnchangedAreRefused) {
    state.openelf = "C:\\Games\\HDL\"OADER.ELF";
    expectError("loaded file contains a double quote");
    state.openelf = "C:\\Games\\HDL\tLOADER.ELF";
    expectError("loaded file contains a control character");
    state.openelf = "C:\\Games\\";  // its backslash would swallow the closing quote
    expectError("loaded file would not reach the tools unchanged");
    state.openelf = "C:\\Games\\HDLOADER.ELF";

    state.pulsanti = "/IB \"C:\\Art\\b\"x.tga\"";
    expectError("button image contains a double quote");
    state.pulsanti = "";
    expectError("program directory contains a double quote", ProgramDirectory("C:\\K\"it", '\\'));

    // A fragment that is not switch-blank-quoted-path would split differently.
    state.Text1 = "/IF C:\\Art\\my font.bmp";
    expectError("would not reach HDLPatch unchanged");
}

TEST_F(PatchChecks, BatchFileCharactersMatterOnlyForABatchPackingRun) {
    state.openelf = "C:\\Games\\100%\\HDLOADER.ELF";
    const ProgramDirectory amp("C:\\Tom & Jerry", '\\');
    options.pack = true;
    options.method = PackingMethod::ToolSteps;
    EXPECT_FALSE(check().has_value());
    EXPECT_FALSE(check(amp).has_value());

    options.method = PackingMethod::BatchFile;
    expectError("percent sign");
    state.openelf = "C:\\Games\\HDLOADER.ELF";
    expectError("(& | < > ^)", amp);
}

TEST_F(PatchChecks, OutputsMustNotOverwriteTheLoadedFileOrEachOther) {
    state.openelf = "C:\\Kit\\OUTFILE.ELF";
    expectError("loaded file itself, so patching");

    // The comparison the caller supplies decides what counts as the same file.
    options.samePath = [](std::string a, std::string b) {
        for (std::string* path : {&a, &b}) std::ranges::transform(*path, path->begin(), ::tolower);
        return a == b;
    };
    state.openelf = "c:\\kit\\outfile.elf";
    expectError("loaded file itself, so patching");

    state.openelf = "C:\\Kit\\PACKED_OUTFILE.ELF";
    EXPECT_FALSE(check().has_value());  // nothing is packed
    options.pack = true;
    expectError("loaded file itself, so packing");

    state.openelf = "C:\\Games\\HDLOADER.ELF";
    outputNameChanged(state, kKit, "PACKED_OUTFILE.ELF");
    expectError("overwrite its own input");
}

}  // namespace
}  // namespace kelvane
