#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPointer>

#include "skin_window_fixture.h"

namespace kelvane::testing {
namespace {

using ExtractionTest = SkinWindowTest;

QColor centreColour(const QLabel* box) {
    const QImage shown = box->pixmap().toImage();
    return shown.pixelColor(shown.width() / 2, shown.height() / 2);
}

TEST_F(ExtractionTest, WithoutLoadedFileNothingIsStartedOrEnabled) {
    ui().Command13->click();
    ui().Command8->click();

    ASSERT_EQ(fake.messages.shown.size(), 2u);
    for (const auto& shown : fake.messages.shown) {
        EXPECT_EQ(shown.text, "Please load HDL/HDA (unpacked)");
        EXPECT_EQ(shown.icon, MessageIcon::None);
    }
    EXPECT_TRUE(fake.runner.calls.empty());
    EXPECT_FALSE(QDir(kitPath("hdl_gfx")).exists());
    EXPECT_FALSE(QDir(kitPath("hdl_gfx_tmp")).exists());
    EXPECT_FALSE(ui().Command6->isEnabled());
    EXPECT_FALSE(ui().Command12->isEnabled());
}

TEST_F(ExtractionTest, ToolRunsHiddenInTheExtractionDirectoryAndSuccessIsReported) {
    state().openelf = "/games/PS2 dir/HDLOADER.ELF";
    toolWritesGraphicsSet();
    const QString cwdBefore = QDir::currentPath();

    ui().Command13->click();
    ui().Command13->click();  // a second run reuses the directory

    ASSERT_EQ(fake.runner.calls.size(), 2u);
    const auto& call = fake.runner.calls[0];
    EXPECT_EQ(call.command.commandLine,
              "\"" + kitPath("tools/hdlpatch.exe") + "\" /X \"/games/PS2 dir/HDLOADER.ELF\"");
    EXPECT_EQ(call.command.workingDirectory, kitPath("hdl_gfx"));
    EXPECT_EQ(call.style, WindowStyle::Hidden);
    EXPECT_FALSE(call.waited);
    EXPECT_EQ(QDir::currentPath(), cwdBefore);

    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_EQ(fake.messages.shown[1].text, "Graphics extracted into " + kitPath("hdl_gfx"));
    EXPECT_EQ(fake.messages.shown[1].icon, MessageIcon::None);
    // Extraction alone does not make the preview or the colour table usable.
    EXPECT_FALSE(ui().Command6->isEnabled());
    EXPECT_FALSE(ui().Command12->isEnabled());
}

TEST_F(ExtractionTest, FailuresAreReportedInsteadOfSuccess) {
    state().openelf = "/games/HDLOADER.ELF";
    struct Case {
        const char* name;
        ToolOutcome outcome;
        bool writeFiles;
        QString expectedPart;
    };
    ToolOutcome notStarted;
    notStarted.error = "No such file or directory";
    ToolOutcome failed;
    failed.started = true;
    failed.exitCode = 3;
    ToolOutcome crashed;
    crashed.started = true;
    crashed.crashed = true;
    ToolOutcome clean;
    clean.started = true;
    const Case cases[] = {
        {"start fails", notStarted, false, kitPath("tools/hdlpatch.exe")},
        {"exit code", failed, true, "exit code 3"},
        {"crash", crashed, true, "abnormally"},
        {"files missing", clean, false, "hdl_splash.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(kitPath("hdl_gfx")).removeRecursively();
        fake.messages.shown.clear();
        fake.runner.outcomes = {c.outcome};
        if (c.writeFiles)
            toolWritesGraphicsSet();
        else
            fake.runner.onRun = nullptr;

        ui().Command13->click();

        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
        EXPECT_TRUE(fake.messages.shown[0].text.contains(c.expectedPart))
            << fake.messages.shown[0].text.toStdString();
        EXPECT_FALSE(fake.messages.shown[0].text.startsWith("Graphics extracted"));
    }
}

TEST_F(ExtractionTest, ToolIsNotStartedWhenItsDirectoryCannotBeMade) {
    state().openelf = "/games/HDLOADER.ELF";
    for (const char* blocker : {"hdl_gfx", "hdl_gfx_tmp"}) {
        QFile file(kitPath(blocker));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    ui().Command13->click();
    ui().Command8->click();

    EXPECT_TRUE(fake.runner.calls.empty());
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_TRUE(fake.messages.shown[0].text.contains(kitPath("hdl_gfx")));
    EXPECT_TRUE(fake.messages.shown[1].text.contains(kitPath("hdl_gfx_tmp")));
    EXPECT_EQ(fake.messages.shown[1].icon, MessageIcon::Error);
    // A preload with a loaded file still makes View and Open usable.
    EXPECT_TRUE(ui().Command6->isEnabled());
    EXPECT_TRUE(ui().Command12->isEnabled());
}

TEST_F(ExtractionTest, LoaderPathWithQuoteIsRefusedBeforeAnythingStarts) {
    state().openelf = "/games/odd\"name.ELF";
    ui().Command13->click();
    EXPECT_TRUE(fake.runner.calls.empty());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(fake.messages.shown[0].text.contains("odd\"name.ELF"));
}

TEST_F(ExtractionTest, PreloadThenViewShowsSplashLeftAndMainMenuRight) {
    state().openelf = "/games/HDLOADER.ELF";
    toolWritesGraphicsSet();

    ui().Command8->click();
    EXPECT_TRUE(fake.messages.shown.empty());
    ASSERT_EQ(fake.runner.calls.size(), 1u);
    EXPECT_EQ(fake.runner.calls[0].command.workingDirectory, kitPath("hdl_gfx_tmp"));
    ASSERT_TRUE(ui().Command6->isEnabled());
    EXPECT_TRUE(ui().Command12->isEnabled());

    ui().Command6->click();
    for (QLabel* box : {ui().Image3, ui().Image2}) {
        ASSERT_FALSE(box->pixmap().isNull());
        EXPECT_EQ(box->pixmap().deviceIndependentSize().toSize(), box->contentsRect().size());
    }
    EXPECT_EQ(centreColour(ui().Image3), QColor(Qt::red));
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::blue));
}

TEST_F(ExtractionTest, ViewClearsTheBoxOfABadPictureAndStillLoadsTheOther) {
    state().openelf = "/games/HDLOADER.ELF";
    toolWritesGraphicsSet();
    ui().Command8->click();
    const QString splash = kitPath("hdl_gfx_tmp/hdl_splash.bmp");
    const QString main = kitPath("hdl_gfx_tmp/hdl_main.bmp");
    QFile whole(splash);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bitmap = whole.readAll();
    whole.close();

    const auto spoil = [&](const char* how) {
        QFile::remove(splash);
        if (QByteArray(how) == "missing") return;
        QFile file(splash);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (QByteArray(how) == "truncated") file.write(bitmap.left(bitmap.size() / 2));
        if (QByteArray(how) == "garbage") file.write(QByteArray(4096, '\x5a'));
        if (QByteArray(how) == "header only") file.write(bitmap.left(54));
    };
    for (const char* how : {"missing", "truncated", "garbage", "header only"}) {
        SCOPED_TRACE(how);
        writeBitmap(main, Qt::blue);
        ui().Image3->setPixmap(QPixmap(8, 8));  // something that must go
        ui().Image2->clear();
        spoil(how);

        ui().Command6->click();

        EXPECT_TRUE(ui().Image3->pixmap().isNull());
        ASSERT_FALSE(ui().Image2->pixmap().isNull());
        EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::blue));
    }
}

// Stores the finished callback so the test decides when the tool ends.
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

TEST(ExtractionLifetime, ToolEndingAfterTheWindowClosedIsHarmless) {
    QTemporaryDir dir;
    FakePlatform fake;
    DeferredRunner runner;
    auto window = std::make_unique<MainWindow>(
        ProgramDirectory(dir.path().toStdString(), '/'),
        PlatformServices{fake.messages, fake.dialogs, runner, fake.desktop});
    window->state().openelf = "/games/HDLOADER.ELF";
    window->ui().Command13->click();
    ASSERT_TRUE(runner.pending);
    EXPECT_TRUE(fake.messages.shown.empty());  // nothing is claimed before the tool ends

    window.reset();
    ToolOutcome done;
    done.started = true;
    runner.pending(done);
    EXPECT_TRUE(fake.messages.shown.empty());
}

}  // namespace
}  // namespace kelvane::testing
