#include <gtest/gtest.h>

#include "patch/patch_composition.h"
#include "patch/patch_verdict.h"
#include "patch/video_position.h"

namespace kelvane {
namespace {

const ProgramDirectory kKit("C:\\Kit", '\\');

ToolOutcome ended(int exitCode = 0) {
    return ToolOutcome::exited(exitCode);
}
const auto crashed = ToolOutcome::crashed;
const auto notStarted = ToolOutcome::notStarted;
const OutputFact kW{true}, kNo{false};  // written, not written

constexpr auto kSteps = PackingMethod::ToolSteps;
constexpr auto kBatch = PackingMethod::BatchFile;
const std::string kOut = "C:\\Kit\\OUTFILE.ELF";
const std::string kPacked = "C:\\Kit\\PACKED_OUTFILE.ELF";

// Each row: how the run was made, how its tools ended and what became of each
// output (written; what it is instead of a PS2 program), and the error box.
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
            {{notStarted("Permission denied")}, {kNo}},
            "HDLPatch could not be started:\nC:\\Kit\\tools\\hdlpatch.exe\nPermission denied"},
        {"FailedWithoutWriting", false, kSteps, {{ended(2)}, {kNo}},
            "HDLPatch ended with exit code 2 and did not write the patched loader:\n" + kOut},
        {"PackedToolByTool", true, kSteps, {{ended(), ended()}, {kW, kW}}, ""},
        {"PackerFailedAfterWritingAUselessFile", true, kSteps,
            {{ended(), ended(255)}, {kW, {true, "a text file"}}},
            "The packed loader that ps2-packer wrote is not a PS2 program (it is a text file), and "
            "ps2-packer ended with exit code 255:\n" + kPacked},
        {"PackerFailedAfterWriting", true, kSteps, {{ended(), crashed()}, {kW, kW}},
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
            {{notStarted("no such file")}, {kNo, kNo}},
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
    FormState state;
    state.openelf = "C:\\Games\\HDLOADER.ELF";
    outputNameChanged(state, kKit, "OUTFILE.ELF");
    state.textpacked = kKit.join("\\PACKED_OUTFILE.ELF");
    chooseDefaultPosition(state, VideoDefault::Ntsc);
    for (const auto& row : rows) {
        const PatchPlan plan =
            planPatchRun(state, kKit, row.pack, row.method, "C:\\Windows\\System32");
        EXPECT_EQ(judgePatchRun(plan, row.result, kKit), row.message) << row.name;
    }
}

}  // namespace
}  // namespace kelvane
