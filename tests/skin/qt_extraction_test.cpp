#include <QDir>
#include <QFile>
#include <QPixmap>

#include "skin_window_fixture.h"

namespace kelvane::testing {
namespace {

using ExtractionTest = SkinWindowTest;

TEST_F(ExtractionTest, WithoutLoadedFileNothingIsStartedOrEnabled) {
    ui().Command13->click();
    ui().Command8->click();
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_EQ(fake.messages.shown[1].text, "Please load HDL/HDA (unpacked)");
    EXPECT_EQ(fake.messages.shown[1].icon, MessageIcon::None);
    EXPECT_TRUE(fake.runner.calls.empty());
    EXPECT_FALSE(QDir(kitPath("hdl_gfx_tmp")).exists());
    EXPECT_FALSE(ui().Command6->isEnabled());
    EXPECT_FALSE(ui().Command12->isEnabled());
}

TEST_F(ExtractionTest, FailuresAreReportedInsteadOfSuccess) {
    state().openelf = "/games/HDLOADER.ELF";
    ToolOutcome notStarted, exit3, clean;
    notStarted.error = "No such file or directory";
    exit3.started = clean.started = true;
    exit3.exitCode = 3;
    const struct {
        ToolOutcome outcome;
        bool writeFiles;
        QString named;
    } cases[] = {{notStarted, false, kitPath("tools/hdlpatch.exe")},
                 {exit3, true, "exit code 3"},
                 {clean, false, "hdl_splash.bmp"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named.toStdString());
        QDir(kitPath("hdl_gfx")).removeRecursively();
        fake.messages.shown.clear();
        fake.runner.outcomes = {c.outcome};
        fake.runner.onRun = nullptr;
        if (c.writeFiles) toolWritesGraphicsSet();

        ui().Command13->click();

        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
        EXPECT_TRUE(fake.messages.shown[0].text.contains(c.named));
    }
}

TEST_F(ExtractionTest, NothingStartsWithoutItsDirectoryOrWithAnUnquotablePath) {
    state().openelf = "/games/HDLOADER.ELF";
    for (const char* blocker : {"hdl_gfx", "hdl_gfx_tmp"})
        QFile(kitPath(blocker)).open(QIODevice::WriteOnly);
    ui().Command13->click();
    ui().Command8->click();
    state().openelf = "/games/odd\"name.ELF";
    ui().Command13->click();

    EXPECT_TRUE(fake.runner.calls.empty());
    ASSERT_EQ(fake.messages.shown.size(), 3u);
    EXPECT_TRUE(fake.messages.shown[0].text.contains(kitPath("hdl_gfx")));
    EXPECT_TRUE(fake.messages.shown[1].text.contains(kitPath("hdl_gfx_tmp")));
    EXPECT_TRUE(fake.messages.shown[2].text.contains("odd\"name.ELF"));
    EXPECT_EQ(fake.messages.shown[2].icon, MessageIcon::Error);
    // A preload with a loaded file still makes View and Open usable.
    EXPECT_TRUE(ui().Command6->isEnabled());
    EXPECT_TRUE(ui().Command12->isEnabled());
}

TEST_F(ExtractionTest, ViewShowsBothScreensAndClearsOnlyTheBoxOfABadPicture) {
    state().openelf = "/games/HDLOADER.ELF";
    toolWritesGraphicsSet();
    ui().Command8->click();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.runner.calls.at(0).command.workingDirectory, kitPath("hdl_gfx_tmp"));
    ui().Command6->click();
    EXPECT_EQ(centreColour(ui().Image3), QColor(Qt::red));  // splash on the left
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::blue));
    EXPECT_EQ(ui().Image2->pixmap().deviceIndependentSize().toSize(),
              ui().Image2->contentsRect().size());

    const QString splash = kitPath("hdl_gfx_tmp/hdl_splash.bmp");
    QFile whole(splash);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bitmap = whole.readAll();
    whole.close();
    // Missing, cut short (as while the tool still writes) and not a picture.
    for (const QByteArray& content :
         {QByteArray(), bitmap.left(bitmap.size() / 2), QByteArray(4096, 'Z')}) {
        QFile::remove(splash);
        if (!content.isEmpty()) {
            QFile file(splash);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        ui().Image3->setPixmap(QPixmap(8, 8));
        ui().Image2->clear();
        ui().Command6->click();
        EXPECT_TRUE(ui().Image3->pixmap().isNull());
        EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::blue));
    }
}

// Keeps the finished callback so the test decides when the tool ends.
class DeferredRunner : public FakeProcessRunner {
  public:
    StartOutcome shellStart(const ToolCommand& command, WindowStyle style,
                            std::function<void(const ToolOutcome&)> finished) override {
        calls.push_back({command, style, false});
        pending = std::move(finished);
        return {true, {}};
    }
    std::function<void(const ToolOutcome&)> pending;
};

TEST(ExtractionLifetime, ToolEndingAfterTheWindowWentIsHarmless) {
    QTemporaryDir dir;
    FakePlatform fake;
    DeferredRunner runner;
    auto window = std::make_unique<MainWindow>(
        ProgramDirectory(dir.path().toStdString(), '/'),
        PlatformServices{fake.messages, fake.dialogs, runner, fake.desktop});
    window->state().openelf = "/games/HDLOADER.ELF";
    window->ui().Command13->click();
    ASSERT_TRUE(runner.pending);
    EXPECT_EQ(runner.calls.at(0).command.workingDirectory, dir.filePath("hdl_gfx"));
    EXPECT_EQ(runner.calls[0].style, WindowStyle::Hidden);
    EXPECT_TRUE(fake.messages.shown.empty());  // nothing is claimed before the tool ends
    window.reset();
    ToolOutcome done;
    done.started = true;
    runner.pending(done);
    EXPECT_TRUE(fake.messages.shown.empty());
}

}  // namespace
}  // namespace kelvane::testing
