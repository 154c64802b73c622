// Extraction and preview with the real process runner and the stand-in
// HDLPatch of the kit, in a temporary kit whose path has blanks.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt_main_window.h"
#include "platform/qt_process_runner_impl.h"
#include "support/fake_platform.h"
#include "tool_log.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

// Passes every start to the real runner and counts the tools that ended.
class CountingRunner : public ProcessRunner {
  public:
    QList<ToolOutcome> shellWait(
        const QList<ToolCommand>& steps, WindowStyle style,
        const std::function<bool(int, const ToolOutcome&)>& proceed) override {
        return real.shellWait(steps, style, proceed);
    }
    StartOutcome shellStart(const ToolCommand& command, WindowStyle style,
                            std::function<void(const ToolOutcome&)> finished) override {
        return real.shellStart(command, style, [this, finished](const ToolOutcome& outcome) {
            ++ended;
            if (finished) finished(outcome);
        });
    }
    bool waitForEnded(int count) {
        return QTest::qWaitFor([&] { return ended >= count; }, 30000);
    }

    QtProcessRunner real;
    int ended = 0;
};

class ExtractionEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit.isValid());
        const QDir built(QStringLiteral(KELVANE_TEST_KIT_DIR));
        ASSERT_TRUE(QDir(kit.path()).mkpath("tools"));
        ASSERT_TRUE(QDir(kit.path()).mkpath("my games"));
        ASSERT_TRUE(QFile::copy(built.filePath("tools/hdlpatch.exe"), path("tools/hdlpatch.exe")));
        ASSERT_TRUE(QFile::copy(built.filePath("samples/DEMO.ELF"), path("my games/DEMO.ELF")));
        qputenv(tools::kToolLogVariable, QFile::encodeName(path("tool log.txt")));

        window = std::make_unique<MainWindow>(
            ProgramDirectory(QDir::toNativeSeparators(kit.path()).toStdString(),
                             QDir::separator().toLatin1()),
            PlatformServices{fakes.messages, fakes.dialogs, runner, fakes.desktop});
        window->state().openelf = path("my games/DEMO.ELF").toStdString();
    }
    void TearDown() override { qunsetenv(tools::kToolLogVariable); }

    QString path(const QString& relative) const {
        return QDir::toNativeSeparators(kit.path() + '/' + relative);
    }

    // Every file of the graphics set anywhere below the kit, relative to it.
    QStringList graphicsFilesInKit() const {
        QStringList found;
        QDirIterator it(kit.path(), {"hdl_*"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) found << QDir(kit.path()).relativeFilePath(it.next());
        found.sort();
        return found;
    }

    static QStringList setIn(const QString& directory) {
        QStringList files;
        for (const char* name : {"hdl_button.tga", "hdl_colors.txt", "hdl_font.bmp", "hdl_font.dat",
                                 "hdl_main.bmp", "hdl_splash.bmp"})
            files << directory + '/' + name;
        return files;
    }

    QTemporaryDir kit{QDir::tempPath() + "/skin e2e kit XXXXXX"};
    FakePlatform fakes;
    CountingRunner runner;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ExtractionEndToEnd, SixFilesLandInTheirDirectoryOnlyAndThePreviewShowsThem) {
    const QString cwdBefore = QDir::currentPath();
    auto& ui = window->ui();

    ui.Command13->click();
    ASSERT_TRUE(runner.waitForEnded(1));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Graphics extracted into " + path("hdl_gfx"));
    EXPECT_EQ(graphicsFilesInKit(), setIn("hdl_gfx"));

    ui.Command8->click();
    ASSERT_TRUE(runner.waitForEnded(2));
    EXPECT_EQ(fakes.messages.shown.size(), 1u);  // a preload reports only failures
    QStringList both = setIn("hdl_gfx") + setIn("hdl_gfx_tmp");
    both.sort();
    EXPECT_EQ(graphicsFilesInKit(), both);
    EXPECT_EQ(QDir::currentPath(), cwdBefore);

    // The tool received its three words and ran in its own directory.
    const auto log = tools::readToolLog(path("tool log.txt").toStdString());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].args, (std::vector<std::string>{"/X", window->state().openelf}));
    EXPECT_EQ(QDir(QString::fromStdString(log[0].cwd)), QDir(path("hdl_gfx")));
    EXPECT_EQ(QDir(QString::fromStdString(log[1].cwd)), QDir(path("hdl_gfx_tmp")));

    ASSERT_TRUE(ui.Command6->isEnabled());
    ui.Command6->click();
    for (const char* name : {"hdl_gfx_tmp/hdl_splash.bmp", "hdl_gfx_tmp/hdl_main.bmp"})
        EXPECT_EQ(QImageReader(path(name)).size(), QSize(512, 448)) << name;
    for (QLabel* box : {ui.Image3, ui.Image2}) {
        ASSERT_FALSE(box->pixmap().isNull()) << box->objectName().toStdString();
        EXPECT_EQ(box->pixmap().deviceIndependentSize().toSize(), box->contentsRect().size());
        EXPECT_LE(std::abs(box->contentsRect().width() - 137), 2);
        EXPECT_LE(std::abs(box->contentsRect().height() - 129), 2);
    }
}

TEST_F(ExtractionEndToEnd, MissingToolIsReportedAndNoSuccessClaimed) {
    ASSERT_TRUE(QFile::remove(path("tools/hdlpatch.exe")));
    window->ui().Command13->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fakes.messages.shown.empty(); }, 10000));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(fakes.messages.shown[0].text.contains(path("tools/hdlpatch.exe")));
}

}  // namespace
}  // namespace kelvane::testing
