#include <gtest/gtest.h>

#include "patch/patch_composition.h"
#include "patch/patch_plan.h"
#include "patch/video_position.h"
#include "platform/command_line_split.h"

namespace kelvane {
namespace {

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// The state right after start-up in `dir` with a loaded file and NTSC chosen.
FormState ntscState(const ProgramDirectory& dir, std::string loaded) {
    FormState state;
    state.openelf = std::move(loaded);
    outputNameChanged(state, dir, "OUTFILE.ELF");
    state.textpacked = dir.join("\\PACKED_OUTFILE.ELF");
    chooseDefaultPosition(state, VideoDefault::Ntsc);
    return state;
}

const ProgramDirectory kKit("C:\\Kit", '\\');

TEST(PatchCommandLine, NtscAloneKeepsABlankForEveryEmptyFragment) {
    FormState state = ntscState(kKit, "C:\\Games\\HDLOADER.ELF");
    EXPECT_EQ(patchCommandLine(state, kKit),
              "\"C:\\Kit\\tools\\hdlpatch.exe\"" + blanks(9) + "/P 82,2D" + blanks(6) +
                  "\"C:\\Games\\HDLOADER.ELF\" \"C:\\Kit\\OUTFILE.ELF\"");

    // Position texts go out as stored, "00" and single digits included.
    state.textxhex = "00";
    state.textyhex = "5A";
    EXPECT_EQ(switchPart(state), blanks(8) + "/P 00,5A" + blanks(5));
}

TEST(PatchCommandLine, AllSwitchesAndImagesStandInTheFixedOrder) {
    FormState state = ntscState(kKit, "C:\\L.ELF");
    state.uno = "/n";
    state.due = "/c";
    state.tre = "/s";
    state.quattro = "/b";
    state.cinque = "/f";
    state.sei = "/l";
    state.Dx = "/D3";
    state.Text4 = "/T1";
    EXPECT_EQ(switchPart(state), "/n /c /s /b /f /l /D3 /T1 /P 82,2D" + blanks(5));

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
    for (const ProgramDirectory& dir :
         {ProgramDirectory("C:\\My Kit", '\\'), ProgramDirectory("/home/ann/My Kit", '/')}) {
        const std::string loaded = dir.join("\\samples\\DEMO 1.ELF");
        FormState state = ntscState(dir, loaded);
        outputNameChanged(state, dir, "my.elf");
        const std::string sep(1, dir.separator());
        const std::string tools = dir.directory() + sep + "tools" + sep;
        const std::string out = dir.directory() + sep + "my.elf";
        const std::string packed = dir.directory() + sep + "PACKED_OUTFILE.ELF";

        const std::vector<std::string> patchArgs{tools + "hdlpatch.exe", "/P", "82,2D", loaded,
                                                 out};
        EXPECT_EQ(splitWindowsCommandLine(patchCommandLine(state, dir)), patchArgs);
        EXPECT_EQ(packerCommandLine(state, dir),
                  "\"" + tools + "ps2-packer.exe\" \"" + out + "\" \"" + packed + "\"");
    }
}

TEST(BatchFile, SixCrLfLinesAndTheInterpreterCommand) {
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
    EXPECT_EQ(batchRunCommandLine("C:\\Windows\\System32", spaced),
              "\"C:\\Windows\\System32\\cmd.exe\" /d /c \"\"D:\\PS2 Tools\\Kelvane\\a.bat\"\"");
}

}  // namespace
}  // namespace kelvane
