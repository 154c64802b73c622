#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "patch/patch_composition.h"
#include "patch/patch_validation.h"
#include "patch/video_position.h"

namespace kelvane {
namespace {

const ProgramDirectory kKit("C:\\Kit", '\\');

class PatchChecks : public ::testing::Test {
  protected:
    PatchChecks() {
        state.openelf = "C:\\Games\\HDLOADER.ELF";
        outputNameChanged(state, kKit, "OUTFILE.ELF");
        state.textpacked = "C:\\Kit\\PACKED_OUTFILE.ELF";
        chooseDefaultPosition(state, VideoDefault::Ntsc);
    }

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

    FormState state;
    PatchCheckOptions options;
};

TEST_F(PatchChecks, SoundRequestsPass) {
    EXPECT_FALSE(check().has_value());
    state.textxhex = "00";  // one coordinate at "00" is a chosen position
    EXPECT_FALSE(check().has_value());
    state.textxhex = "0";
    state.textyhex = "0";
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
    auto refusal = check();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "Please load HDL/HDA (unpacked)");
    EXPECT_EQ(refusal->icon, PatchRefusal::Icon::None);

    state.openelf = "C:\\L.ELF";
    refusal = check();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "Select at least PAL or NTSC default position screen.");
    EXPECT_EQ(refusal->icon, PatchRefusal::Icon::None);

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

    options.samePath = [](std::string a, std::string b) {
        auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
        std::transform(a.begin(), a.end(), a.begin(), lower);
        std::transform(b.begin(), b.end(), b.begin(), lower);
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
