// The program's runner starting the Windows build of the stand-in HDLPatch
// through wine, from a kit whose name has blanks and characters a shell
// would act on.

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <optional>

#include "patch/patch_composition.h"
#include "platform/process/qt_tool_runner.h"
#include "run_tool.h"
#include "skin/graphics_extraction.h"
#include "tool_log.h"

namespace fs = std::filesystem;
using namespace kelvane;

namespace {

const fs::path kWindowsTools = fs::path(KELVANE_WINDOWS_KIT_DIR) / "tools";

class WineRunner : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
            GTEST_SKIP() << "wine is not installed";
        if (!fs::exists(kWindowsTools / "hdlpatch.exe"))
            GTEST_SKIP() << "no Windows build of the tools in " << kWindowsTools
                         << " (the build makes one when mingw-w64 is installed)";
        // A prefix of the caller's (scripts/windows-tests.sh makes one) or our
        // own, made without offering the Mono and Gecko installers.
        if (qEnvironmentVariableIsEmpty("WINEPREFIX")) qputenv("WINEPREFIX", KELVANE_WINE_PREFIX);
        if (qEnvironmentVariableIsEmpty("WINEDLLOVERRIDES"))
            qputenv("WINEDLLOVERRIDES", "mscoree,mshtml=");
        qputenv("WINEDEBUG", "-all");
        qputenv("KELVANE_TOOL_LOG", QByteArray::fromStdString(log.string()));
        fs::create_directories(kit / "tools");
        fs::copy_file(kWindowsTools / "hdlpatch.exe", kit / "tools" / "hdlpatch.exe");
        fs::copy_file(kelvane::testing::kDemoLoader, loader);
        state.openelf = loader.string();
        state.sei = "/l";
        state.textxhex = "82";
        state.textyhex = "2D";
        outputNameChanged(state, dir, "OUT FILE.ELF");
    }
    std::vector<std::string> loggedArgs() const {
        const auto records = tools::readToolLog(log);
        return records.empty() ? std::vector<std::string>{} : records.back().args;
    }

    kelvane::testing::ScratchDir temp{"kelvane-wine-"};
    fs::path kit = temp.path / "Wine Kit (x86) & 'Co' $HOME";
    fs::path loader = kit / "HD LOADER.ELF";
    fs::path log = temp.path / "tool.log";
    ProgramDirectory dir{kit.string(), '/'};
    FormState state;
    QtToolRunner runner;
};

TEST_F(WineRunner, RunsWithTheExactArgumentsAndWorkingDirectoryAndReportsARefusal) {
    const auto patch = [&] {
        const auto steps =
            runner.runJob({{{Tool::HdlPatch, {}, patchCommandLine(state, dir), {}}}}, nullptr)
                .steps;
        return steps.size() == 1 ? steps[0] : ToolOutcome{};
    };
    state.openelf = (kit / "missing.ELF").string();
    const ToolOutcome refused = patch();
    EXPECT_EQ(refused.end, ToolOutcome::End::Failed) << refused.error;
    EXPECT_FALSE(fs::exists(state.Text2));

    state.openelf = loader.string();
    EXPECT_TRUE(patch().succeeded());
    EXPECT_EQ(fs::file_size(state.Text2), fs::file_size(loader));
    EXPECT_EQ(loggedArgs(),
              (std::vector<std::string>{"/l", "/P", "82,2D", state.openelf, state.Text2}));

    // An extraction runs in the job's working directory.
    const fs::path preview = previewDirectory(dir);
    fs::create_directories(preview);
    std::optional<ToolJobResult> result;
    runner.startJob(graphicsExtractionJob(dir, state.openelf, preview.string()),
                    [&](const ToolJobResult& r) { result = r; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 120000));
    ASSERT_EQ(result->steps.size(), 1u);
    EXPECT_TRUE(result->steps[0].succeeded()) << result->steps[0].error;
    for (const OutputFact& file : result->outputs) EXPECT_TRUE(file.written);
    EXPECT_EQ(loggedArgs(), (std::vector<std::string>{"/X", state.openelf}));
}

}  // namespace
