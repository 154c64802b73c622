#include <gtest/gtest.h>

#include <QApplication>
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

// A kit whose HDLPatch is the Windows build of the stand-in, in a directory
// whose name has blanks and characters a shell would act on.
class WineRunner : public ::testing::Test {
  protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "wine_runner_tests";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
        if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
            GTEST_SKIP() << "wine is not installed";
        if (!fs::exists(kWindowsTools / "hdlpatch.exe"))
            GTEST_SKIP() << "no Windows build of the tools in " << kWindowsTools
                         << " (the build makes one when mingw-w64 is installed)";
        // A prefix of the caller's (scripts/windows-tests.sh makes one) or our own.
        if (qEnvironmentVariableIsEmpty("WINEPREFIX")) qputenv("WINEPREFIX", KELVANE_WINE_PREFIX);
        qputenv("WINEDEBUG", "-all");
        // A new prefix is made without offering the Mono and Gecko installers.
        if (qEnvironmentVariableIsEmpty("WINEDLLOVERRIDES"))
            qputenv("WINEDLLOVERRIDES", "mscoree,mshtml=");
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

    ToolOutcome patch() {
        const ToolJob job{{{Tool::HdlPatch, {}, patchCommandLine(state, dir), {}}}};
        const std::vector<ToolOutcome> ends = runner.runJob(job, nullptr).steps;
        EXPECT_EQ(ends.size(), 1u);
        return ends.empty() ? ToolOutcome{} : ends[0];
    }

    kelvane::testing::TempDir temp;
    fs::path kit = temp.path / "Wine Kit (x86) & 'Co' $HOME";
    fs::path loader = kit / "HD LOADER.ELF";
    fs::path log = temp.path / "tool.log";
    ProgramDirectory dir{kit.string(), '/'};
    FormState state;
    QtToolRunner runner;
};

TEST_F(WineRunner, PatchesWithTheExactArgumentsAndReportsARefusalThroughTheExitCode) {
    state.openelf = (kit / "missing.ELF").string();
    const ToolOutcome refused = patch();
    EXPECT_EQ(refused.end, ToolOutcome::End::Failed) << refused.error;
    EXPECT_FALSE(fs::exists(state.Text2));

    state.openelf = loader.string();
    const ToolOutcome patched = patch();
    EXPECT_TRUE(patched.succeeded());
    EXPECT_EQ(fs::file_size(state.Text2), fs::file_size(loader));
    const auto records = tools::readToolLog(log);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().args,
              (std::vector<std::string>{"/l", "/P", "82,2D", state.openelf, state.Text2}));
}

TEST_F(WineRunner, ExtractsIntoTheWorkingDirectoryOfTheJob) {
    const fs::path preview = previewDirectory(dir);
    fs::create_directories(preview);
    std::optional<ToolJobResult> result;
    runner.startJob(graphicsExtractionJob(dir, state.openelf, preview.string()),
                    [&](const ToolJobResult& r) { result = r; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 120000));

    ASSERT_EQ(result->steps.size(), 1u);
    EXPECT_TRUE(result->steps[0].succeeded()) << result->steps[0].error;
    for (const OutputFact& file : result->outputs) EXPECT_TRUE(file.written);
    const auto records = tools::readToolLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].args, (std::vector<std::string>{"/X", state.openelf}));
}

}  // namespace
