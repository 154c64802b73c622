#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "common/ps2_elf.h"
#include "patch/patch_composition.h"
#include "patch/patch_validation.h"
#include "patch/patch_verdict.h"
#include "patch/ps2_program_check.h"
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
    Box refusal(const ProgramDirectory& dir = kKit) {
        const auto refused = checkPatchRequest(state, dir, options);
        return refused ? Box(refused->text, refused->icon) : Box();
    }

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
    fs::create_hard_link(root / "HDL.ELF", root / "HARD.ELF");
    name("HARD.ELF");
    expectError("loaded file itself, so patching", kit);

    fs::create_directory(root / "FOLDER.ELF");
    name("FOLDER.ELF");
    expectError("output file is an existing folder", kit);
    // The PS2 check after a run opens only a regular file: a pipe would block it.
    EXPECT_EQ(notAPs2Program(state.Text2), "a folder");
    EXPECT_EQ(notAPs2Program((root / "MISSING.ELF").string()), "missing");
#ifndef _WIN32  // Windows has no named pipes in the file system
    ASSERT_EQ(::mkfifo((root / "PIPE.ELF").c_str(), 0600), 0);
    name("PIPE.ELF");
    expectError("output file exists and is not a regular file", kit);
    EXPECT_EQ(notAPs2Program(state.Text2), "not a regular file");
#endif

    name("a.bat");
    options.pack = true;
    EXPECT_EQ(refusal(kit), Box());  // run tool by tool, there is no batch file
    options.method = PackingMethod::BatchFile;
    expectError("output file is the packing batch file", kit);
}

const auto ended = [](int exitCode = 0) { return ToolOutcome::exited(exitCode); };
const OutputFact kW{true}, kNo{false};  // written, not written

constexpr auto kSteps = PackingMethod::ToolSteps;
constexpr auto kBatch = PackingMethod::BatchFile;
const std::string kOut = "C:\\Kit\\OUTFILE.ELF";
const std::string kPacked = "C:\\Kit\\PACKED_OUTFILE.ELF";

// How a run went, judged after it. Each row: how the run was made, how its tools ended and what
// became of each output (written; what it is instead of a PS2 program), and the error box.
TEST(PatchVerdict, SaysWhatWentWrongOnceAndNothingForAGoodRun) {
    const struct {
        const char* name;
        bool pack;
        PackingMethod method;
        ToolJobResult result;
        std::string message;
    } rows[] = {
        // clang-format off
        {"DirectRunThatWrote", false, kSteps, {{ended()}, {kW}}, ""},
        {"ReasonWithoutThePath", false, kSteps,
            {{ToolOutcome::notStarted("Permission denied")}, {kNo}},
            "HDLPatch could not be started:\nC:\\Kit\\tools\\hdlpatch.exe\nPermission denied"},
        {"FailedWithoutWriting", false, kSteps, {{ended(2)}, {kNo}},
            "HDLPatch ended with exit code 2 and did not write the patched loader:\n" + kOut},
        {"PackedToolByTool", true, kSteps, {{ended(), ended()}, {kW, kW}}, ""},
        {"PackerFailedAfterWritingAUselessFile", true, kSteps,
            {{ended(), ended(255)}, {kW, {true, "a text file"}}},
            "The packed loader that ps2-packer wrote is not a PS2 program (it is a text file), and "
            "ps2-packer ended with exit code 255:\n" + kPacked},
        {"PackerFailedAfterWriting", true, kSteps, {{ended(), ToolOutcome::crashed()}, {kW, kW}},
            "ps2-packer wrote the packed loader but then crashed, so the file may be "
            "incomplete:\n" + kPacked},
        // The packer is held back after a patch step that did not write its file wholly.
        {"PackerHeldBackFromAnOlderLoader", true, kSteps, {{ended()}, {kNo, kNo}},
            "HDLPatch did not write the patched loader:\n" + kOut +
            "\n\nps2-packer was not started, so that no older file is packed."},
        {"PackerHeldBackFromAnIncompleteLoader", true, kSteps, {{ended(1)}, {kW, kNo}},
            "HDLPatch wrote the patched loader but then ended with exit code 1, so the file may be "
            "incomplete:\n" + kOut + "\n\nps2-packer was not started, so that no incomplete "
            "file is packed."},
        {"PackerHeldBackFromAUselessLoader", true, kSteps,
            {{ended()}, {{true, "a text file"}, kNo}},
            "The patched loader that HDLPatch wrote is not a PS2 program (it is a text file):\n" +
            kOut + "\n\nps2-packer was not started, so that nothing but a PS2 program is packed."},
        {"BatchRunThatWroteBoth", true, kBatch, {{ended()}, {kW, kW}}, ""},
        {"BatchInterpreterNotStarted", true, kBatch,
            {{ToolOutcome::notStarted("no such file")}, {kNo, kNo}},
            "The command interpreter could not be started:\nC:\\Windows\\System32\\cmd.exe\n"
            "no such file"},
        {"BatchPackedAnOlderLoader", true, kBatch, {{ended()}, {kNo, kW}},
            "HDLPatch did not write the patched loader:\n" + kOut +
            "\n\nThe packed loader was made from an older file:\n" + kPacked},
        {"BatchPackedAUselessLoader", true, kBatch,
            {{ended()}, {{true, "an ELF for x86-64"}, kW}},
            "The patched loader that HDLPatch wrote is not a PS2 program (it is an ELF for "
            "x86-64):\n" + kOut + "\n\nThe packed loader was made from a file that is not a PS2 "
            "program:\n" + kPacked},
        {"BatchFailedAfterWriting", true, kBatch, {{ended(1)}, {kW, kW}},
            "The packing run ended with exit code 1, so what it wrote may be incomplete:\n" +
            kOut + "\n" + kPacked},
        {"BatchFileLeftBehind", true, kBatch,
            {{ended()}, {kW, kW}, std::nullopt, "Permission denied"},
            "The packing batch file could not be deleted:\nC:\\Kit\\a.bat\nPermission denied"},
    };
    // clang-format on
    const FormState state = ntscState(kKit);
    for (const auto& row : rows) {
        const PatchPlan plan =
            planPatchRun(state, kKit, row.pack, row.method, "C:\\Windows\\System32");
        EXPECT_EQ(judgePatchRun(plan, row.result, kKit), row.message) << row.name;
    }
}

using tools::Bytes;

// A small PS2 program: the headers, then a 64-byte segment at 0x100000 that
// holds the entry point.
Bytes program() {
    Bytes bytes(0x80 + 64, 0);
    tools::writePs2ElfHeaders(bytes, {0x80, 0x100000, 64, 64, 0x100010});
    return bytes;
}

void put16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
}
void put32(Bytes& b, std::size_t at, unsigned v) {
    put16(b, at, v & 0xFFFF), put16(b, at + 2, v >> 16);
}

// Each row changes the small program (or replaces it) and says what the file
// is then; an empty answer means a PS2 program.
TEST(Ps2ProgramCheck, TellsWhatAFileIsWhenItIsNotAPs2Program) {
    const struct {
        const char* name;
        std::function<void(Bytes&)> change;
        std::string is;
    } rows[] = {
        {"Ps2Program", [](Bytes&) {}, ""},
        {"EntryAtTheSegmentsLastByte", [](Bytes& b) { put32(b, 24, 0x10003F); }, ""},
        {"Empty", [](Bytes& b) { b.clear(); }, "empty"},
        {"Text", [](Bytes& b) { b = {'#', '!', 's', 'h', '\n', '\t', 'x', 0xE9}; }, "a text file"},
        {"Binary", [](Bytes& b) { b[0] = 0; }, "not an ELF file"},
        {"CutInsideTheHeader", [](Bytes& b) { b.resize(40); },
         "an ELF file whose header is cut off"},
        {"X86_64", [](Bytes& b) { b[4] = 2, put16(b, 18, 62); }, "an ELF for x86-64"},
        {"Mips64", [](Bytes& b) { b[4] = 2; }, "a 64-bit ELF for MIPS"},
        {"BigEndianMips", [](Bytes& b) { b[5] = 2, b[18] = 0, b[19] = 8; },
         "a big-endian ELF for MIPS"},
        {"ObjectFile", [](Bytes& b) { put16(b, 16, 1); },
         "an object file for MIPS, not an executable"},
        {"NoProgramHeaders", [](Bytes& b) { put16(b, 44, 0); },
         "a MIPS executable without program headers"},
        {"ProgramHeadersPastTheEnd", [](Bytes& b) { b.resize(70); },
         "a MIPS executable whose program headers lie past the end of the file"},
        {"ProgramHeadersBeyondTheHead", [](Bytes& b) { b.resize(8192), put32(b, 28, 5000); },
         "a MIPS executable whose program headers lie too far into the file to be checked"},
        {"SegmentCutOff", [](Bytes& b) { b.resize(0x80 + 63); },
         "a MIPS executable cut off inside a loadable segment"},
        {"EntryPastTheSegment", [](Bytes& b) { put32(b, 24, 0x100040); },
         "a MIPS executable whose entry point 0x00100040 lies in no loadable segment"},
        {"EntryInASegmentThatIsNotLoaded", [](Bytes& b) { put32(b, 52, 4); },
         "a MIPS executable whose entry point 0x00100010 lies in no loadable segment"},
    };
    for (const auto& row : rows) {
        Bytes bytes = program();
        row.change(bytes);
        const std::size_t head = std::min(bytes.size(), kPs2ProgramHeadSize);
        EXPECT_EQ(describeNonPs2Program(bytes.data(), head, bytes.size()).value_or(""), row.is)
            << row.name;
    }
}

}  // namespace
}  // namespace kelvane
