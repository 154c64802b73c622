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
    const FormState state = ntscState(kKit, "C:\\Games\\HDLOADER.ELF");
    EXPECT_EQ(switchPart(state), blanks(8) + "/P 82,2D" + blanks(5));
    EXPECT_EQ(patchCommandLine(state, kKit),
              "\"C:\\Kit\\tools\\hdlpatch.exe\"" + blanks(9) + "/P 82,2D" + blanks(6) +
                  "\"C:\\Games\\HDLOADER.ELF\" \"C:\\Kit\\OUTFILE.ELF\"");
}

TEST(PatchCommandLine, AllSwitchesAndImagesStandInTheFixedOrder) {
    FormState state = ntscState(kKit, "C:\\Games\\HDLOADER.ELF");
    state.uno = "/n";
    state.due = "/c";
    state.tre = "/s";
    state.quattro = "/b";
    state.cinque = "/f";
    state.sei = "/l";
    state.Dx = "/D3";
    state.Text4 = "/T1";
    EXPECT_EQ(switchPart(state), "/n /c /s /b /f /l /D3 /T1 /P 82,2D" + blanks(5));

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

TEST(PatchCommandLine, PositionTextsAreSentAsStored) {
    FormState state = ntscState(kKit, "C:\\L.ELF");
    state.textxhex = "00";
    state.textyhex = "5A";
    EXPECT_NE(patchCommandLine(state, kKit).find(" /P 00,5A "), std::string::npos);
    state.textxhex = "0";
    state.textyhex = "0";
    EXPECT_NE(patchCommandLine(state, kKit).find(" /P 0,0 "), std::string::npos);
}

TEST(OutputName, RenamingMovesOnlyTheOutputPathAndKeepsItsCase) {
    FormState state = ntscState(kKit, "C:\\L.ELF");
    outputNameChanged(state, kKit, "MY.ELF");
    EXPECT_EQ(state.Text2, "C:\\Kit\\MY.ELF");
    EXPECT_EQ(state.textpacked, "C:\\Kit\\PACKED_OUTFILE.ELF");
    EXPECT_EQ(packerCommandLine(state, kKit),
              "\"C:\\Kit\\tools\\ps2-packer.exe\" \"C:\\Kit\\MY.ELF\" "
              "\"C:\\Kit\\PACKED_OUTFILE.ELF\"");

    outputNameChanged(state, kKit, "my.elf");
    EXPECT_EQ(state.text13, "my.elf");
    EXPECT_EQ(state.Text2, "C:\\Kit\\my.elf");

    outputNameChanged(state, kKit, "");
    EXPECT_EQ(state.Text2, "C:\\Kit\\");
}

TEST(PatchCommandLine, DirectoryWithBlanksSplitsBackIntoTheIntendedArguments) {
    for (const ProgramDirectory& dir :
         {ProgramDirectory("C:\\My Kit", '\\'), ProgramDirectory("/home/ann/My Kit", '/')}) {
        const std::string loaded = dir.join("\\samples\\DEMO 1.ELF");
        const FormState state = ntscState(dir, loaded);
        const std::string sep(1, dir.separator());
        const std::string tool = dir.directory() + sep + "tools" + sep + "hdlpatch.exe";
        const std::string out = dir.directory() + sep + "OUTFILE.ELF";
        EXPECT_EQ(patchCommandLine(state, dir), "\"" + tool + "\"" + blanks(9) + "/P 82,2D" +
                                                    blanks(6) + "\"" + loaded + "\" \"" + out +
                                                    "\"");
        const std::vector<std::string> expected{tool, "/P", "82,2D", loaded, out};
        EXPECT_EQ(splitWindowsCommandLine(patchCommandLine(state, dir)), expected);
        const std::vector<std::string> packer{
            dir.directory() + sep + "tools" + sep + "ps2-packer.exe", out,
            dir.directory() + sep + "PACKED_OUTFILE.ELF"};
        EXPECT_EQ(splitWindowsCommandLine(packerCommandLine(state, dir)), packer);
    }
}

TEST(BatchFile, SixCrLfLinesForAWindowsDirectory) {
    const FormState state = ntscState(kKit, "C:\\Games\\HDLOADER.ELF");
    EXPECT_EQ(batchFilePath(kKit), "C:\\Kit\\a.bat");
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
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "D:");
    EXPECT_EQ(lines[3], "cd D:\\PS2 Tools\\Kelvane");  // cd takes it unquoted
    EXPECT_EQ(lines[4].substr(0, 42), "\"D:\\PS2 Tools\\Kelvane\\tools\\hdlpatch.exe\" ");
}

TEST(PatchPlan, EachRunKindStartsTheRightCommands) {
    const FormState state = ntscState(kKit, "C:\\L.ELF");

    const PatchPlan direct = planPatchRun(state, kKit, false, PackingMethod::BatchFile, "C:\\W");
    ASSERT_EQ(direct.steps.size(), 1u);
    EXPECT_EQ(direct.steps[0].commandLine, patchCommandLine(state, kKit));
    EXPECT_EQ(direct.steps[0].workingDirectory, "");
    EXPECT_EQ(direct.batchFilePath, "");
    ASSERT_EQ(direct.outputs.size(), 1u);
    EXPECT_EQ(direct.outputs[0].path, "C:\\Kit\\OUTFILE.ELF");

    const PatchPlan batch =
        planPatchRun(state, kKit, true, PackingMethod::BatchFile, "C:\\Windows\\System32");
    ASSERT_EQ(batch.steps.size(), 1u);
    EXPECT_EQ(batch.steps[0].commandLine,
              "\"C:\\Windows\\System32\\cmd.exe\" /d /c \"\"C:\\Kit\\a.bat\"\"");
    EXPECT_EQ(batch.batchFilePath, "C:\\Kit\\a.bat");
    EXPECT_EQ(batch.batchFileText, batchFileText(batchFileLines(state, kKit)));
    ASSERT_EQ(batch.outputs.size(), 2u);
    EXPECT_EQ(batch.outputs[1].tool, "ps2-packer");
    EXPECT_EQ(batch.outputs[1].path, "C:\\Kit\\PACKED_OUTFILE.ELF");

    const PatchPlan steps = planPatchRun(state, kKit, true, PackingMethod::ToolSteps, "");
    ASSERT_EQ(steps.steps.size(), 2u);
    EXPECT_EQ(steps.batchFilePath, "");
    EXPECT_EQ(steps.steps[0].commandLine, patchCommandLine(state, kKit));
    EXPECT_EQ(steps.steps[1].commandLine, packerCommandLine(state, kKit));
    EXPECT_EQ(steps.steps[0].workingDirectory, "C:\\Kit");
    EXPECT_EQ(steps.steps[1].workingDirectory, "C:\\Kit");
}

}  // namespace
}  // namespace kelvane
