#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <filesystem>

#include "hdlpatch/patch_record.h"
#include "kit_paths.h"
#include "patch/patch_composition.h"
#include "platform/qt_process_runner_impl.h"
#include "run_tool.h"
#include "skin/graphics_extraction.h"
#include "tool_log.h"

namespace fs = std::filesystem;
using namespace kelvane;
using kelvane::testing::TempDir;

namespace {

const fs::path kWindowsTools = fs::path(KELVANE_WINDOWS_KIT_DIR) / "tools";

// A kit whose tools are the Windows builds of the stand-ins, in a directory
// whose name has blanks and characters a shell would act on.
class WineRunner : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "wine_runner_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
            GTEST_SKIP() << "wine is not installed";
        if (!fs::exists(kWindowsTools / "hdlpatch.exe"))
            GTEST_SKIP() << "no Windows build of the tools in " << kWindowsTools;
        // A prefix of the caller's (scripts/windows-tests.sh makes one) or our own.
        if (qEnvironmentVariableIsEmpty("WINEPREFIX")) qputenv("WINEPREFIX", KELVANE_WINE_PREFIX);
        qputenv("WINEDEBUG", "-all");
        qputenv("KELVANE_TOOL_LOG", QByteArray::fromStdString(log.string()));

        kit = temp.path() / "Wine Kit (x86) & 'Co' $HOME";
        fs::create_directories(kit / "tools");
        fs::copy_file(kWindowsTools / "hdlpatch.exe", kit / "tools" / "hdlpatch.exe");
        fs::copy_file(kelvane::testing::demoLoader(), kit / "HD LOADER.ELF");
        state.openelf = (kit / "HD LOADER.ELF").string();
        state.sei = "/l";
        state.textxhex = "82";
        state.textyhex = "2D";
        outputNameChanged(state, dir(), "OUT FILE.ELF");
    }

    void TearDown() override { qunsetenv("KELVANE_TOOL_LOG"); }

    ProgramDirectory dir() const { return ProgramDirectory(kit.string(), '/'); }

    TempDir temp;
    fs::path kit;
    fs::path log = temp.path() / "tool.log";
    FormState state;
    QtProcessRunner runner;
};

TEST_F(WineRunner, PatchesThroughWineWithTheExactArguments) {
    const QString line = QString::fromStdString(patchCommandLine(state, dir()));
    const auto outcomes = runner.shellWait({ToolCommand{line, {}}}, WindowStyle::Hidden);

    ASSERT_EQ(outcomes.size(), 1);
    ASSERT_TRUE(outcomes[0].started) << outcomes[0].error.toStdString();
    EXPECT_TRUE(outcomes[0].finishedNormally());
    EXPECT_EQ(outcomes[0].exitCode, 0);

    const std::string patched = kelvane::testing::readText(state.Text2);
    ASSERT_EQ(patched.size(), fs::file_size(kit / "HD LOADER.ELF"));
    EXPECT_EQ(patched.substr(kelvane::tools::kPatchRecordOffset, 30),
              "HDLPATCH STAND-IN: /l /P 82,2D");

    const auto records = kelvane::tools::readToolLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].args,
              (std::vector<std::string>{"/l", "/P", "82,2D", state.openelf, state.Text2}));
}

TEST_F(WineRunner, ReportsTheToolsRefusalThroughItsExitCode) {
    state.openelf = (kit / "missing.ELF").string();
    const QString line = QString::fromStdString(patchCommandLine(state, dir()));
    const auto outcomes = runner.shellWait({ToolCommand{line, {}}}, WindowStyle::Hidden);

    ASSERT_EQ(outcomes.size(), 1);
    ASSERT_TRUE(outcomes[0].started);
    EXPECT_FALSE(outcomes[0].crashed);
    EXPECT_NE(outcomes[0].exitCode, 0);
    EXPECT_FALSE(fs::exists(state.Text2));
}

TEST_F(WineRunner, ExtractsIntoTheWorkingDirectoryGivenToShellStart) {
    const fs::path preview = previewDirectory(dir());
    fs::create_directories(preview);
    const QString line =
        QString::fromStdString(graphicsExtractionCommandLine(dir(), state.openelf));

    bool finished = false;
    ToolOutcome outcome;
    const auto start =
        runner.shellStart(ToolCommand{line, QString::fromStdString(preview.string())},
                          WindowStyle::Hidden, [&](const ToolOutcome& o) {
                              outcome = o;
                              finished = true;
                          });
    ASSERT_TRUE(start.started) << start.error.toStdString();
    QElapsedTimer timer;
    timer.start();
    while (!finished && timer.elapsed() < 120000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);

    ASSERT_TRUE(finished);
    EXPECT_EQ(outcome.exitCode, 0);
    for (const char* file : {"hdl_button.tga", "hdl_colors.txt", "hdl_font.bmp", "hdl_font.dat",
                             "hdl_main.bmp", "hdl_splash.bmp"})
        EXPECT_TRUE(fs::exists(preview / file)) << file;
    const auto records = kelvane::tools::readToolLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].args, (std::vector<std::string>{"/X", state.openelf}));
}

}  // namespace
