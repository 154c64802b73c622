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

// How the steps ended, which outputs were written, the batch file left
// behind and what each written output is instead of a PS2 program.
struct Facts {
    std::vector<ToolOutcome> ends;
    std::vector<bool> written;
    std::optional<std::string> batchFileLeft = std::nullopt;
    std::vector<std::optional<std::string>> notAProgram = {};

    ToolJobResult result() const {
        ToolJobResult r{ends, {}, std::nullopt, batchFileLeft};
        for (std::size_t i = 0; i < written.size(); ++i)
            r.outputs.push_back(
                {written[i], i < notAProgram.size() ? notAProgram[i] : std::nullopt});
        return r;
    }
};

constexpr auto kSteps = PackingMethod::ToolSteps;
constexpr auto kBatch = PackingMethod::BatchFile;
const std::string kOut = "C:\\Kit\\OUTFILE.ELF";
const std::string kPacked = "C:\\Kit\\PACKED_OUTFILE.ELF";

// Each row: how the run was made, how its tools ended and what they wrote,
// and the error box (empty: no box).
TEST(PatchVerdict, SaysWhatWentWrongOnceAndNothingForAGoodRun) {
    const struct {
        const char* name;
        bool pack;
        PackingMethod method;
        Facts facts;
        std::string message;
    } rows[] = {
        // clang-format off
        {"DirectRunThatWrote", false, kSteps, {{ended()}, {true}}, ""},
        {"ReasonNamesThePathSoItIsNotRepeated", false, kSteps,
            {{notStarted("C:\\Kit\\tools\\hdlpatch.exe does not exist")}, {false}},
            "HDLPatch could not be started:\nC:\\Kit\\tools\\hdlpatch.exe does not exist"},
        {"ReasonWithoutThePath", false, kSteps,
            {{notStarted("Permission denied")}, {false}},
            "HDLPatch could not be started:\nC:\\Kit\\tools\\hdlpatch.exe\nPermission denied"},
        {"FailedAfterWriting", false, kSteps, {{ended(1)}, {true}},
            "HDLPatch wrote the patched loader but then ended with exit code 1, so the file may be "
            "incomplete:\n" + kOut},
        {"SucceededWithoutWriting", false, kSteps, {{ended()}, {false}},
            "HDLPatch did not write the patched loader:\n" + kOut},
        {"FailedWithoutWriting", false, kSteps, {{ended(2)}, {false}},
            "HDLPatch ended with exit code 2 and did not write the patched loader:\n" + kOut},
        {"PackedToolByTool", true, kSteps, {{ended(), ended()}, {true, true}}, ""},
        {"PackerFailedAfterWritingAUselessFile", true, kSteps,
            {{ended(), ended(255)}, {true, true}, std::nullopt, {std::nullopt, "a text file"}},
            "The packed loader that ps2-packer wrote is not a PS2 program (it is a text file), and "
            "ps2-packer ended with exit code 255:\n" + kPacked},
        {"PackerFailedAfterWriting", true, kSteps, {{ended(), crashed()}, {true, true}},
            "ps2-packer wrote the packed loader but then crashed, so the file may be "
            "incomplete:\n" + kPacked},
        {"BatchRunThatWroteBoth", true, kBatch, {{ended()}, {true, true}}, ""},
        {"BatchInterpreterNotStarted", true, kBatch,
            {{notStarted("no such file")}, {false, false}},
            "The command interpreter could not be started:\nC:\\Windows\\System32\\cmd.exe\n"
            "no such file"},
        {"BatchPackedAnOlderLoader", true, kBatch, {{ended()}, {false, true}},
            "HDLPatch did not write the patched loader:\n" + kOut +
            "\n\nThe packed loader was made from an older file:\n" + kPacked},
        {"BatchPackedAUselessLoader", true, kBatch,
            {{ended()}, {true, true}, std::nullopt, {"an ELF for x86-64"}},
            "The patched loader that HDLPatch wrote is not a PS2 program (it is an ELF for "
            "x86-64):\n" + kOut + "\n\nThe packed loader was made from a file that is not a PS2 "
            "program:\n" + kPacked},
        {"BatchFailedAfterWriting", true, kBatch, {{ended(1)}, {true, true}},
            "The packing run ended with exit code 1, so what it wrote may be incomplete:\n" +
            kOut + "\n" + kPacked},
        {"BatchFileLeftBehind", true, kBatch,
            {{ended()}, {true, true}, "Permission denied"},
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
        EXPECT_EQ(judgePatchRun(plan, row.facts.result(), kKit), row.message) << row.name;
    }
}

}  // namespace
}  // namespace kelvane
