#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "patch/patch_composition.h"
#include "patch/patch_validation.h"
#include "patch/video_position.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace kelvane {
namespace {

const ProgramDirectory kKit("C:\\Kit", '\\');

// The state right after start-up in `dir` with `loaded` loaded and NTSC chosen.
FormState ntscState(const ProgramDirectory& dir, const char* loaded = "C:\\Games\\HDLOADER.ELF") {
    FormState state;
    state.openelf = loaded;
    outputNameChanged(state, dir, "OUTFILE.ELF");
    state.textpacked = dir.join("\\PACKED_OUTFILE.ELF");
    chooseDefaultPosition(state, VideoDefault::Ntsc);
    return state;
}

// With no fragment set, the blanks still stand (see the batch file's patch line).
TEST(PatchCommandLine, EveryFragmentKeepsItsBlankInTheFixedOrder) {
    FormState state = ntscState(kKit);
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

TEST(BatchFile, SixCrLfLinesWithTheDriveAndAnUnquotedCd) {
    EXPECT_EQ(batchFileText(batchFileLines(ntscState(kKit), kKit)),
              "@echo off\r\n"
              "C:\r\n"
              "cd \\\r\n"
              "cd C:\\Kit\r\n"
              "\"C:\\Kit\\tools\\hdlpatch.exe\"         /P 82,2D      \"C:\\Games\\HDLOADER.ELF\" "
              "\"C:\\Kit\\OUTFILE.ELF\"\r\n"
              "\"C:\\Kit\\tools\\ps2-packer.exe\" \"C:\\Kit\\OUTFILE.ELF\" "
              "\"C:\\Kit\\PACKED_OUTFILE.ELF\"\r\n");
}

using Icon = MessageIcon;
using Box = std::pair<std::string, Icon>;

class PatchChecks : public ::testing::Test {
  protected:
    // The message box a refusal shows; no text when the request passes.
    Box refusal(const ProgramDirectory& dir = kKit) {
        const auto refused = checkPatchRequest(state, dir, options);
        return refused ? Box(refused->text, refused->icon) : Box();
    }

    // The refusal is an error box whose text contains `part`.
    void expectError(const std::string& part, const ProgramDirectory& dir = kKit) {
        const auto [text, icon] = refusal(dir);
        EXPECT_EQ(icon, Icon::Error) << part;
        EXPECT_NE(text.find(part), std::string::npos) << part << " in: " << text;
    }

    FormState state = ntscState(kKit);
    PatchCheckOptions options;
};

TEST_F(PatchChecks, TheTwoOriginalMessagesComeFirstWithoutIcon) {
    state.text13 = "";  // would also be refused, but later
    state.textxhex = state.textyhex = "00";
    state.openelf = "";
    EXPECT_EQ(refusal(), Box("Please load HDL/HDA (unpacked)", Icon::None));
    state.openelf = "C:\\L.ELF";
    EXPECT_EQ(refusal(), Box("Select at least PAL or NTSC default position screen.", Icon::None));
}

// What the tools could not take unchanged is refused, each naming its field.
TEST_F(PatchChecks, WhatTheToolsCouldNotTakeUnchangedIsRefused) {
    using S = FormState;
    const struct {
        const char* name;
        std::string FormState::*field;
        std::string value;
        const char* part;  // of the error text
    } rows[] = {
        {"EmptyName", &S::text13, "", "output name is empty"},
        {"XNotHex", &S::textxhex, "1G", "X position \"1G\" is not"},
        // An emptied field gets a plain message, not a quoted nothing.
        {"YEmpty", &S::textyhex, "", "The Y position is empty. Type one or two"},
        {"LoadedWithQuote", &S::openelf, "C:\\A\"B.ELF", "loaded file contains a double quote"},
        {"LoadedWithTab", &S::openelf, "C:\\A\tB.ELF", "loaded file contains a control character"},
        // Its backslash would swallow the closing quote.
        {"LoadedEndsInBackslash", &S::openelf, "C:\\Games\\",
         "loaded file would not reach the tools unchanged"},
        {"ButtonImageWithQuote", &S::pulsanti, "/IB \"C:\\b\"x.tga\"",
         "button image contains a double quote"},
        // Not switch-blank-quoted-path, so it would split differently.
        {"FontFragmentUnquoted", &S::Text1, "/IF C:\\Art\\my font.bmp",
         "would not reach HDLPatch unchanged"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        state = ntscState(kKit);
        state.*row.field = row.value;
        outputNameChanged(state, kKit, state.text13);
        expectError(row.part);
    }
    state = ntscState(kKit);
    expectError("program directory contains a double quote", ProgramDirectory("C:\\K\"it", '\\'));
    // Windows would write "OUT.ELF" or the folder itself for the last two.
    for (const char* name : {"A\"B", "a/B", "a\\B", "A\nB", "A\x7f", "..", "OUT.ELF ", "OUT."}) {
        outputNameChanged(state, kKit, name);
        expectError("output name \"" + std::string(name) + "\" cannot");
    }
}

TEST_F(PatchChecks, SoundRequestsPassAndBatchCharactersMatterOnlyForABatchFile) {
    EXPECT_EQ(refusal(), Box());
    state.textxhex = "0";  // only "00","00" means no position was chosen
    state.textyhex = "00";
    outputNameChanged(state, kKit, "my game.elf");
    state.openelf = "C:\\Games\\100%\\HDLOADER.ELF";
    const ProgramDirectory amp("C:\\Tom & Jerry (x86)", '\\');
    options.pack = true;
    EXPECT_EQ(refusal(amp), Box());

    options.method = PackingMethod::BatchFile;
    expectError("percent sign");
    state.openelf = "C:\\Games\\HDLOADER.ELF";
    expectError("(& | < > ^)", amp);
    EXPECT_EQ(refusal(ProgramDirectory("C:\\PS2 Tools (x86)\\Kit", '\\')), Box());
}

TEST_F(PatchChecks, OutputsOverwriteNeitherTheLoadedFileNorEachOtherInAWritableFolder) {
    // The comparison the caller supplies decides what counts as the same file.
    options.samePath = [](const std::string& a, const std::string& b) {
        return std::ranges::equal(a, b, {}, ::tolower, ::tolower);
    };
    state.openelf = "c:\\kit\\outfile.elf";
    expectError("loaded file itself, so patching");

    state.openelf = "C:\\Kit\\PACKED_OUTFILE.ELF";
    EXPECT_EQ(refusal(), Box());  // nothing is packed
    options.pack = true;
    expectError("loaded file itself, so packing");

    state.openelf = "C:\\Games\\HDLOADER.ELF";
    outputNameChanged(state, kKit, "PACKED_OUTFILE.ELF");
    expectError("overwrite its own input");

    outputNameChanged(state, kKit, "OUTFILE.ELF");
    options.readOnlyFolder = [](const std::string& folder) { return folder == "C:\\Kit"; };
    expectError("program folder cannot be written");
    EXPECT_EQ(refusal(ProgramDirectory("C:\\Other", '\\')), Box());
}

// What the outputs are on disk decides too: the checks ask the file system.
TEST_F(PatchChecks, LinksFoldersSpecialFilesAndTheBatchFileAreRefused) {
    const testing::ScratchDir scratch("output checks ");
    const fs::path root = scratch.path;
    const ProgramDirectory kit(root.string(), '/');
    std::ofstream(root / "HDL.ELF") << "loader";
    state = ntscState(kit, (root / "HDL.ELF").string().c_str());
    const auto name = [&](const char* output) { outputNameChanged(state, kit, output); };
    EXPECT_EQ(refusal(kit), Box());
    fs::create_hard_link(root / "HDL.ELF", root / "HARD.ELF");
    name("HARD.ELF");
    expectError("loaded file itself, so patching", kit);

    fs::create_directory(root / "FOLDER.ELF");
    name("FOLDER.ELF");
    expectError("output file is an existing folder", kit);
#ifndef _WIN32  // Windows has no named pipes in the file system
    ASSERT_EQ(::mkfifo((root / "PIPE.ELF").c_str(), 0600), 0);
    name("PIPE.ELF");
    expectError("output file exists and is not a regular file", kit);
#endif

    name("a.bat");
    options.pack = true;
    EXPECT_EQ(refusal(kit), Box());  // run tool by tool, there is no batch file
    options.method = PackingMethod::BatchFile;
    expectError("output file is the packing batch file", kit);
}

}  // namespace
}  // namespace kelvane
