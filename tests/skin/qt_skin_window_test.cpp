// The skin controls of the main window, on the recording fakes.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/graphics_set.h"
#include "patch/qt_patch_run_controller.h"
#include "skin/qt_colour_table_editor.h"
#include "skin/qt_convert_dialog.h"
#include "skin/qt_extraction_controller.h"
#include "support/fake_platform.h"
#include "support/file_bytes.h"
#include "support/modal_answer.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

void writeBitmap(const QString& path, QColor colour, QSize size = {512, 448}) {
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(path)) << path.toStdString();
}

void writeFile(const QString& path, const QByteArray& content = {}) {
    ASSERT_TRUE(writeBytes(path, content)) << path.toStdString();
}

#ifndef _WIN32
QString makePipe(const QString& path) {
    EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
    return path;
}
#endif

QColor centreColour(const QLabel* box) {
    const QImage image = box->pixmap().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

class SkinWindowTest : public ::testing::Test {
  protected:
    QString kitPath(const QString& relative) const {
        return QDir::toNativeSeparators(programDir.filePath(relative));
    }
    Ui::MainWindow& ui() { return window.ui(); }
    const std::vector<FakeMessageBoxes::Shown>& shown() const { return fake.messages.shown; }
    // Acts like HDLPatch "/X": the six files appear in the working directory.
    void toolWritesGraphicsSet() {
        fake.runner.onRun = [](const ToolStep& step) {
            const QDir dir(QString::fromStdString(step.workingDirectory));
            for (const char* name : kGraphicsSetFiles) writeFile(dir.filePath(name));
            writeBitmap(dir.filePath("hdl_main.bmp"), Qt::blue);
            writeBitmap(dir.filePath("hdl_splash.bmp"), Qt::red);
        };
    }

    QTemporaryDir programDir;
    FakePlatform fake;
    MainWindow window{nativeProgramDirectory(programDir.path()), fake.services()};
};

TEST_F(SkinWindowTest, OnlyAnOpenThatReallyOpenedTheColourTableLeadsToArming) {
    const QString table = kitPath("hdl_gfx/hdl_colors.txt");
    window.state().openelf = "/games/HDLOADER.ELF";
    ui().Command8->click();  // Open becomes usable even without hdl_gfx
    fake.messages.shown.clear();
    ui().Command12->click();  // the table does not exist yet
    EXPECT_TRUE(fake.desktop.notepad.empty());
    ASSERT_TRUE(QDir(programDir.path()).mkpath("hdl_gfx"));
    writeFile(table);
    fake.desktop.notepadSucceeds = false;
    ui().Command12->click();  // the editor cannot be started
    ASSERT_EQ(shown().size(), 2u);
    for (const auto& message : shown())
        EXPECT_TRUE(message.icon == MessageIcon::Error && message.text.contains(table));
    EXPECT_FALSE(ui().Command11->isEnabled());

    fake.desktop.notepadSucceeds = true;
    ui().Command12->click();
    EXPECT_EQ(fake.desktop.notepad.back(), table);
    ASSERT_TRUE(ui().Command11->isEnabled());
    EXPECT_TRUE(window.state().colors.empty());
    ui().Command11->click();
    EXPECT_EQ(window.state().colors, ("/IC \"" + table + "\"").toStdString());
}

// The graphics set left by an earlier run is there each time: only files
// written by this run count.
TEST_F(SkinWindowTest, ExtractionFailuresAreReportedInsteadOfSuccess) {
    const std::tuple<ToolOutcome, bool, QString> rows[] = {
        {ToolOutcome::notStarted("the tool is missing"), false, "could not be started:"},
        {ToolOutcome::exited(0), false, "did not write these files"},
        {ToolOutcome::exited(3), true, "ended with exit code 3"},
        {ToolOutcome::crashed(), true, "crashed"},
    };
    window.state().openelf = "/games/HDLOADER.ELF";
    ASSERT_TRUE(QDir(programDir.path()).mkpath("hdl_gfx"));
    for (const auto& [outcome, writesFiles, named] : rows) {
        for (const char* name : kGraphicsSetFiles) writeFile(kitPath("hdl_gfx/") + name, "older");
        fake.messages.shown.clear();
        fake.runner.outcomes = {outcome};
        fake.runner.onRun = nullptr;
        if (writesFiles) toolWritesGraphicsSet();
        ui().Command13->click();
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].icon, MessageIcon::Error);
        EXPECT_TRUE(shown()[0].text.contains(named)) << shown()[0].text.toStdString();
    }
}

// While HDLPatch extracts, no extraction nor "Patch" starts; its end lets the
// next one start. A splash then cut short (as while the tool still writes)
// empties only its own box.
TEST_F(SkinWindowTest, OneRunAtATimeThenViewShowsWhatIsComplete) {
    window.state().openelf = "/games/HDLOADER.ELF";
    toolWritesGraphicsSet();
    fake.runner.holdFinished = true;
    ui().Command13->click();
    EXPECT_FALSE(ui().Command13->isEnabled() || ui().Command8->isEnabled() ||
                 ui().Command2->isEnabled());
    window.findChild<ExtractionController*>()->extractGraphics();
    window.findChild<ExtractionController*>()->preloadGraphics();
    window.findChild<PatchRunController*>()->patch();
    EXPECT_EQ(fake.runner.calls.size(), 1u);
    EXPECT_TRUE(shown().empty());

    fake.runner.finishHeld();
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_TRUE(ui().Command13->isEnabled() && ui().Command2->isEnabled());
    ui().Command8->click();
    EXPECT_EQ(fake.runner.calls.size(), 2u);

    ui().Command6->click();
    EXPECT_EQ(centreColour(ui().Image3), QColor(Qt::red));  // splash on the left
    EXPECT_EQ(ui().Image3->pixmap().deviceIndependentSize().toSize(),
              ui().Image3->contentsRect().size());
    const QString splash = kitPath("hdl_gfx_tmp/hdl_splash.bmp");
    ASSERT_TRUE(QFile::resize(splash, QFileInfo(splash).size() / 2));
    ui().Image2->clear();
    ui().Command6->click();
    EXPECT_TRUE(ui().Image3->pixmap().isNull());
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::blue));
}

// Each refusal starts nothing and says why: no loaded file, a file where a
// directory belongs, a path that cannot be quoted, a read-only folder.
TEST_F(SkinWindowTest, RefusalsStartNothingAndSayWhy) {
    ui().Command13->click();
    window.state().openelf = "/games/HDLOADER.ELF";
    writeFile(kitPath("hdl_gfx"));
    ui().Command13->click();
    window.state().openelf = "/games/odd\"name.ELF";
    ui().Command13->click();
    window.state().openelf = "/games/HDLOADER.ELF";
    window.findChild<ExtractionController*>()->readOnlyFolder = [](const std::string&) {
        return true;
    };
    ui().Command8->click();

    EXPECT_TRUE(fake.runner.calls.empty());
    ASSERT_EQ(shown().size(), 4u);
    EXPECT_EQ(shown()[0].text, "Please load HDL/HDA (unpacked)");
    EXPECT_TRUE(shown()[1].text.contains(kitPath("hdl_gfx")));
    EXPECT_TRUE(shown()[2].icon == MessageIcon::Error && shown()[2].text.contains("odd\"name"));
    EXPECT_TRUE(shown()[3].text.contains(kitPath("hdl_gfx_tmp:")));
    EXPECT_TRUE(shown()[3].text.contains("Copy the whole program folder"));
    // A preload with a loaded file still makes View and Open usable.
    EXPECT_TRUE(ui().Command6->isEnabled() && ui().Command12->isEnabled());
}

// A file taken anyway still counts; a cancel or an unquotable path leaves the
// slot as it was. Each dialog opens in the folder of its slot's last choice.
TEST_F(SkinWindowTest, EachSlotKeepsItsChoiceAndFolderOnCancelOrRefusal) {
    const QString menu = kitPath("menu.bmp"), splash = kitPath("splash.bmp");
    const QString broken = kitPath("broken.bmp"), raw = kitPath("b.RAW");
    writeBitmap(menu, Qt::yellow);
    writeBitmap(splash, Qt::red);
    writeFile(broken);
    fake.dialogs.answers = {
        std::nullopt, menu, std::nullopt, splash, broken, raw, QString("/art/a\"b.tga"), menu};
    fake.messages.answers = {"Use Anyway", "Use Anyway"};
    for (QPushButton* slot : {ui().Command9, ui().Command5, ui().Command5, ui().Command7,
                              ui().Command7, ui().Command9, ui().Command9, ui().Command4})
        slot->click();

    const FormState& state = window.state();
    EXPECT_EQ(state.Text10, (" /IM \"" + menu + "\"").toStdString());
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::yellow));
    EXPECT_EQ(state.Text9, (" /IS \"" + broken + "\"").toStdString());
    EXPECT_EQ(centreColour(ui().Image3), QColor(Qt::red));  // the earlier picture stays
    EXPECT_EQ(state.pulsanti, ("/IB \"" + raw + "\"").toStdString());
    EXPECT_EQ(state.Text1, "");
    // The empty and the missing file, and a screen picture without widths as
    // the font: nothing to convert, so no Convert. The quote: refused.
    ASSERT_EQ(shown().size(), 4u);
    for (int i : {0, 1, 3}) EXPECT_EQ(shown()[i].buttons, QStringList({"Use Anyway", "Cancel"}));
    EXPECT_EQ(shown()[2].icon, MessageIcon::Error);
    const QString kit = QDir::toNativeSeparators(programDir.path());
    EXPECT_EQ(fake.dialogs.folders, (std::vector<QString>{"", "", kit, "", kit, "", kit, ""}));
}

TEST_F(SkinWindowTest, AMismatchIsConvertedOrLeftAloneAndConvertPictureAsksToUse) {
    // A format that is neither PNG nor BMP.
    const QString ppm = kitPath("photo.ppm");
    writeBitmap(ppm, Qt::green, {640, 480});
    const QByteArray source = readBytes(ppm);
    const QString converted = kitPath("converted/photo-splash.bmp");

    fake.dialogs.answers = {ppm};
    fake.messages.answers = {"Cancel"};
    ui().Command7->click();
    EXPECT_EQ(window.state().Text9, "");

    // The second conversion keeps the first beside it, the third replaces it.
    for (const char* second : {"", "Keep Both", "Replace"}) {
        fake.dialogs.answers = {ppm};
        fake.messages.answers = {"Convert", second};
        whenModal<ConvertDialog>([](ConvertDialog* dialog) {
            dialog->setFitMode(FitMode::FitInside);
            dialog->accept();
        });
        ui().Command7->click();
    }
    EXPECT_EQ(window.state().Text9, (" /IS \"" + converted + "\"").toStdString());
    EXPECT_TRUE(QFile::exists(kitPath("converted/photo-splash-2.bmp")));
    EXPECT_FALSE(QFile::exists(kitPath("converted/photo-splash-3.bmp")));
    EXPECT_EQ(window.state().CommonDialog4.fullPath, ppm.toStdString());
    EXPECT_EQ(centreColour(ui().Image3), QColor(Qt::green));
    EXPECT_EQ(readBytes(ppm), source);

    // Convert Picture on its own arms the slot it chose only when asked.
    fake.dialogs.answers = {ppm, ppm};
    fake.messages.answers = {"Not Now", "Use It"};
    for (ImageSlot slot : {ImageSlot::ButtonImage, ImageSlot::MainMenuScreen}) {
        whenModal<ConvertDialog>([slot](ConvertDialog* dialog) {
            dialog->setSlot(slot);
            dialog->accept();
        });
        window.findChild<QAction*>("mnuConvertPicture")->trigger();
    }
    EXPECT_TRUE(QFile::exists(kitPath("converted/photo-button.bmp")));
    EXPECT_EQ(window.state().pulsanti, "");
    EXPECT_EQ(window.state().Text10,
              (" /IM \"" + kitPath("converted/photo-main.bmp") + "\"").toStdString());
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::green));
}

// Every way a file is read refuses a named pipe, naming it, without waiting:
// a slot, the font slot, Convert Picture, View and the colour editor.
TEST_F(SkinWindowTest, ANamedPipeIsRefusedNamingItAndNothingWaitsForIt) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no named pipes in the file system";
#else
    for (const char* dir : {"hdl_gfx", "hdl_gfx_tmp"})
        ASSERT_TRUE(QDir(programDir.path()).mkpath(dir));
    const QString pipe = kitPath("PIPE.BMP"), table = kitPath("hdl_gfx/hdl_colors.txt");
    const QString previewPipe = kitPath("hdl_gfx_tmp/hdl_splash.bmp");
    writeBitmap(kitPath("hdl_gfx_tmp/hdl_main.bmp"), Qt::blue);
    const QStringList pipes = {makePipe(pipe), makePipe(previewPipe), makePipe(table)};
    // Frees a reader stuck on a pipe (opening it for writing succeeds only while
    // it has a reader) so that a regression fails instead of hanging.
    std::atomic<bool> freed = false;
    std::jthread watchdog([&](std::stop_token stop) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (; !stop.stop_requested(); std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
            if (std::chrono::steady_clock::now() < deadline) continue;
            for (const QString& p : pipes)
                if (int fd =
                        ::open(QFile::encodeName(p).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    fd >= 0)
                    freed = true, ::close(fd);
        }
    });
    // Should the table pipe ever be read, the editor that follows is closed at once.
    QPointer<QTimer> closer =
        whenModal<ColourTableEditor>([](ColourTableEditor* editor) { editor->reject(); });

    fake.dialogs.answers = {pipe, pipe, pipe};
    ui().Command5->click();
    ui().Command4->click();
    window.findChild<QAction*>("mnuConvertPicture")->trigger();
    ui().Command6->setEnabled(true);
    ui().Command6->click();
    window.findChild<QAction*>("mnuEditColours")->trigger();
    delete closer.data();
    watchdog.request_stop();
    EXPECT_FALSE(freed) << "the window waited on a pipe";
    EXPECT_EQ(window.state().Text10, "");
    EXPECT_EQ(window.state().Text1, "");
    ASSERT_EQ(shown().size(), 5u);
    for (int i : {0, 1, 2}) EXPECT_TRUE(shown()[i].text.contains(pipe + " is a named pipe"));
    EXPECT_TRUE(shown()[3].text.contains(previewPipe + " is a named pipe"));
    EXPECT_TRUE(shown()[4].icon == MessageIcon::Error && shown()[4].text.contains(table));
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::blue));
#endif
}

}  // namespace
}  // namespace kelvane::testing
