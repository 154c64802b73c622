// Extraction and preview with the real process runner and the stand-in
// HDLPatch, in a temporary kit whose path has blanks.

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include "core/graphics_set.h"
#include "platform/qt_process_runner_impl.h"
#include "support/fake_platform.h"
#include "support/stand_in_kit.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

// The real runner, counting the tools that ended; every start is hidden.
struct CountingRunner : QtProcessRunner {
    StartOutcome shellStart(const ToolCommand& command, WindowStyle style,
                            std::function<void(const ToolOutcome&)> finished) override {
        EXPECT_EQ(style, WindowStyle::Hidden);
        return QtProcessRunner::shellStart(command, style, [this, finished](const ToolOutcome& o) {
            ++ended;
            if (finished) finished(o);
        });
    }
    bool waitForEnded(int n) {
        return QTest::qWaitFor([&] { return ended >= n; }, 30000);
    }
    int ended = 0;
};

TEST(ExtractionEndToEnd, SixFilesLandInTheirDirectoryOnlyAndThePreviewShowsThem) {
    QTemporaryDir kit(QDir::tempPath() + "/skin e2e kit XXXXXX");
    const auto path = [&](const QString& relative) { return kit.filePath(relative); };
    const StandIns standIns(kit.path(), {"tools/hdlpatch.exe", "samples/DEMO.ELF"});
    FakePlatform fakes;
    CountingRunner runner;
    const PlatformServices services{fakes.messages, fakes.dialogs, runner, fakes.desktop};
    MainWindow window(ProgramDirectory(kit.path().toStdString(), '/'), services);
    window.state().openelf = path("samples/DEMO.ELF").toStdString();
    const QString cwdBefore = QDir::currentPath();

    window.ui().Command13->click();
    ASSERT_TRUE(runner.waitForEnded(1));
    window.ui().Command8->click();
    ASSERT_TRUE(runner.waitForEnded(2));

    ASSERT_EQ(fakes.messages.shown.size(), 1u);  // a preload reports only failures
    EXPECT_EQ(fakes.messages.shown[0].text, "Graphics extracted into " + path("hdl_gfx"));
    QDirIterator it(kit.path(), {"hdl_*"}, QDir::Files, QDirIterator::Subdirectories);
    QStringList found, expected;
    while (it.hasNext()) found << QDir(kit.path()).relativeFilePath(it.next());
    for (const char* dir : {"hdl_gfx/", "hdl_gfx_tmp/"})
        for (const char* file : kGraphicsSetFiles) expected << QString(dir) + file;
    found.sort();
    EXPECT_EQ(found, expected);
    EXPECT_EQ(QDir::currentPath(), cwdBefore);
    // The tool received its three words and ran in its own directory.
    const auto log = standIns.runs();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].args, (std::vector<std::string>{"/X", window.state().openelf}));
    EXPECT_EQ(QDir(QString::fromStdString(log[1].cwd)), QDir(path("hdl_gfx_tmp")));

    window.ui().Command6->click();
    for (QLabel* box : {window.ui().Image3, window.ui().Image2}) {
        ASSERT_FALSE(box->pixmap().isNull());
        EXPECT_EQ(box->pixmap().deviceIndependentSize().toSize(), box->contentsRect().size());
    }

    // A tool that ends after its window went away finds nothing to report to.
    auto gone =
        std::make_unique<MainWindow>(ProgramDirectory(kit.path().toStdString(), '/'), services);
    gone->state().openelf = window.state().openelf;
    gone->ui().Command13->click();
    gone.reset();
    ASSERT_TRUE(runner.waitForEnded(3));
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

}  // namespace
}  // namespace kelvane::testing
