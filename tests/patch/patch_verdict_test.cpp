#include <gtest/gtest.h>

#include "patch/patch_composition.h"
#include "patch/patch_verdict.h"
#include "patch/video_position.h"

namespace kelvane {
namespace {

const ProgramDirectory kKit("C:\\Kit", '\\');

ToolEnd ended(int exitCode = 0) {
    ToolEnd end;
    end.started = true;
    end.exitCode = exitCode;
    return end;
}
ToolEnd crashed() {
    ToolEnd end = ended();
    end.crashed = true;
    return end;
}
ToolEnd notStarted(const char* reason) {
    ToolEnd end;
    end.error = reason;
    return end;
}

struct VerdictCase {
    const char* name;
    bool pack;
    PackingMethod method;
    PatchRunFacts facts;
    std::string message;  // the error box; empty: no box
};

void PrintTo(const VerdictCase& c, std::ostream* os) {
    *os << c.name;
}

class PatchVerdict : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(PatchVerdict, SaysWhatWentWrongOnceAndNothingForAGoodRun) {
    const VerdictCase& c = GetParam();
    FormState state;
    state.openelf = "C:\\Games\\HDLOADER.ELF";
    outputNameChanged(state, kKit, "OUTFILE.ELF");
    state.textpacked = kKit.join("\\PACKED_OUTFILE.ELF");
    chooseDefaultPosition(state, VideoDefault::Ntsc);
    const PatchPlan plan = planPatchRun(state, kKit, c.pack, c.method, "C:\\Windows\\System32");
    EXPECT_EQ(joinParagraphs(judgePatchRun(plan, c.facts)), c.message);
}

constexpr auto kSteps = PackingMethod::ToolSteps;
constexpr auto kBatch = PackingMethod::BatchFile;
const std::string kOut = "C:\\Kit\\OUTFILE.ELF";
const std::string kPacked = "C:\\Kit\\PACKED_OUTFILE.ELF";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, PatchVerdict,
    ::testing::Values(
        VerdictCase{"DirectRunThatWrote", false, kSteps, {{ended()}, {true}}, ""},
        VerdictCase{"ReasonNamesThePathSoItIsNotRepeated", false, kSteps,
            {{notStarted("C:\\Kit\\tools\\hdlpatch.exe does not exist")}, {false}},
            "HDLPatch could not be started:\nC:\\Kit\\tools\\hdlpatch.exe does not exist"},
        VerdictCase{"ReasonWithoutThePath", false, kSteps,
            {{notStarted("Permission denied")}, {false}},
            "HDLPatch could not be started:\nC:\\Kit\\tools\\hdlpatch.exe\nPermission denied"},
        VerdictCase{"FailedAfterWriting", false, kSteps, {{ended(1)}, {true}},
            "HDLPatch wrote the patched loader but then ended with exit code 1, so the file may be "
            "incomplete:\n" + kOut},
        VerdictCase{"CrashedAfterWriting", false, kSteps, {{crashed()}, {true}},
            "HDLPatch wrote the patched loader but then crashed, so the file may be incomplete:\n" +
            kOut},
        VerdictCase{"SucceededWithoutWriting", false, kSteps, {{ended()}, {false}},
            "HDLPatch did not write the patched loader:\n" + kOut},
        VerdictCase{"FailedWithoutWriting", false, kSteps, {{ended(2)}, {false}},
            "HDLPatch ended with exit code 2 and did not write the patched loader:\n" + kOut},
        VerdictCase{"PackedToolByTool", true, kSteps, {{ended(), ended()}, {true, true}}, ""},
        VerdictCase{"HalfWrittenLoaderIsNotPacked", true, kSteps, {{ended(1)}, {true, false}},
            "HDLPatch wrote the patched loader but then ended with exit code 1, so the file may be "
            "incomplete:\n" + kOut + "\n\nps2-packer was not started, so that no incomplete file "
            "is packed."},
        VerdictCase{"OlderLoaderIsNotPacked", true, kSteps, {{ended()}, {false, false}},
            "HDLPatch did not write the patched loader:\n" + kOut +
            "\n\nps2-packer was not started, so that no older file is packed."},
        VerdictCase{"PackerFailedAfterWriting", true, kSteps, {{ended(), crashed()}, {true, true}},
            "ps2-packer wrote the packed loader but then crashed, so the file may be "
            "incomplete:\n" + kPacked},
        VerdictCase{"BatchRunThatWroteBoth", true, kBatch, {{ended()}, {true, true}}, ""},
        VerdictCase{"BatchInterpreterNotStarted", true, kBatch,
            {{notStarted("no such file")}, {false, false}},
            "The command interpreter could not be started:\nC:\\Windows\\System32\\cmd.exe\n"
            "no such file"},
        VerdictCase{"BatchPackedAnOlderLoader", true, kBatch, {{ended()}, {false, true}},
            "HDLPatch did not write the patched loader:\n" + kOut +
            "\n\nThe packed loader was made from an older file:\n" + kPacked},
        VerdictCase{"BatchFailedAfterWriting", true, kBatch, {{ended(1)}, {true, true}},
            "The packing run ended with exit code 1, so what it wrote may be incomplete:\n" +
            kOut + "\n" + kPacked},
        VerdictCase{"BatchFileLeftBehind", true, kBatch,
            {{ended()}, {true, true}, "Permission denied"},
            "The packing batch file could not be deleted:\nC:\\Kit\\a.bat\nPermission denied"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace kelvane
