#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <optional>

#include "patch/patch_composition.h"
#include "platform/qt_process_runner_impl.h"
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
        const QString line = QString::fromStdString(patchCommandLine(state, dir));
        const auto outcomes = runner.shellWait({ToolCommand{line, {}}}, WindowStyle::Hidden);
        EXPECT_EQ(outcomes.size(), 1);
        return outcomes.value(0);
    }

    kelvane::testing::TempDir temp;
    fs::path kit = temp.path / "Wine Kit (x86) & 'Co' $HOME";
    fs::path loader = kit / "HD LOADER.ELF";
    fs::path log = temp.path / "tool.log";
    ProgramDirectory dir{kit.string(), '/'};
    FormState state;
    QtProcessRunner runner;
};

TEST_F(WineRunner, PatchesWithTheExactArgumentsAndReportsARefusalThroughTheExitCode) {
    state.openelf = (kit / "missing.ELF").string();
    const ToolOutcome refused = patch();
    ASSERT_TRUE(refused.started) << refused.error.toStdString();
    EXPECT_FALSE(refused.crashed);
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_FALSE(fs::exists(state.Text2));

    state.openelf = loader.string();
    const ToolOutcome patched = patch();
    EXPECT_TRUE(patched.finishedNormally());
    EXPECT_EQ(patched.exitCode, 0);
    EXPECT_EQ(fs::file_size(state.Text2), fs::file_size(loader));
    const auto records = tools::readToolLog(log);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().args,
              (std::vector<std::string>{"/l", "/P", "82,2D", state.openelf, state.Text2}));
}

TEST_F(WineRunner, ExtractsIntoTheWorkingDirectoryGivenToShellStart) {
    const fs::path preview = previewDirectory(dir);
    fs::create_directories(preview);
    const ToolCommand command{
        QString::fromStdString(graphicsExtractionCommandLine(dir, state.openelf)),
        QString::fromStdString(preview.string())};
    std::optional<ToolOutcome> outcome;
    const auto start =
        runner.shellStart(command, WindowStyle::Hidden, [&](const ToolOutcome& o) { outcome = o; });
    ASSERT_TRUE(start.started) << start.error.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 120000));

    EXPECT_EQ(outcome->exitCode, 0);
    for (const char* file : {"hdl_button.tga", "hdl_colors.txt", "hdl_font.bmp", "hdl_font.dat",
                             "hdl_main.bmp", "hdl_splash.bmp"})
        EXPECT_TRUE(fs::exists(preview / file)) << file;
    const auto records = tools::readToolLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].args, (std::vector<std::string>{"/X", state.openelf}));
}

}  // namespace
