// The skin controls of the main window, on the recording fakes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <memory>

#include "skin/graphics_set.h"
#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

// A real main window in a fresh program directory.
class SkinWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(programDir.isValid());
        window = std::make_unique<MainWindow>(
            ProgramDirectory(programDir.path().toStdString(), '/'), fake.services());
    }

    QString kitPath(const QString& relative) const { return programDir.filePath(relative); }
    Ui::MainWindow& ui() { return window->ui(); }
    FormState& state() { return window->state(); }
    const std::vector<FakeMessageBoxes::Shown>& shown() const { return fake.messages.shown; }

    static void writeBitmap(const QString& path, QColor colour) {
        QImage picture(512, 448, QImage::Format_RGB888);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(path, "BMP")) << path.toStdString();
    }
    static QColor centreColour(const QLabel* box) {
        const QImage image = box->pixmap().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
    // Acts like HDLPatch "/X": the six files appear in the working directory.
    void toolWritesGraphicsSet() {
        fake.runner.onRun = [](const ToolCommand& command) {
            const QDir dir(command.workingDirectory);
            for (const char* name : kGraphicsSetFiles)
                ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
            writeBitmap(dir.filePath("hdl_main.bmp"), Qt::blue);
            writeBitmap(dir.filePath("hdl_splash.bmp"), Qt::red);
        };
    }

    QTemporaryDir programDir;
    FakePlatform fake;
    std::unique_ptr<MainWindow> window;
};

TEST_F(SkinWindowTest, OnlyAnOpenThatReallyOpenedTheColourTableLeadsToArming) {
    const QString table = kitPath("hdl_gfx/hdl_colors.txt");
    ui().Command10->click();
    const QString help = shown().at(0).text;
    EXPECT_EQ(help.size(), 470);
    EXPECT_FALSE(help.contains('\n') || help.contains('\r')) << "one paragraph";
    EXPECT_FALSE(ui().Command12->isEnabled());
    state().openelf = "/games/HDLOADER.ELF";
    ui().Command8->click();  // Open becomes usable even without hdl_gfx
    fake.messages.shown.clear();
    ASSERT_TRUE(ui().Command12->isEnabled());
    EXPECT_FALSE(ui().Command11->isEnabled());

    ui().Command12->click();  // the table does not exist yet
    EXPECT_TRUE(fake.desktop.notepad.empty());
    ASSERT_TRUE(QDir(programDir.path()).mkpath("hdl_gfx"));
    QFile(table).open(QIODevice::WriteOnly);
    fake.desktop.notepadSucceeds = false;
    ui().Command12->click();  // the editor cannot be started
    ASSERT_EQ(shown().size(), 2u);
    for (const auto& message : shown()) {
        EXPECT_EQ(message.icon, MessageIcon::Error);
        EXPECT_TRUE(message.text.contains(table));
    }
    EXPECT_FALSE(ui().Command11->isEnabled());

    fake.desktop.notepadSucceeds = true;
    ui().Command12->click();
    EXPECT_EQ(fake.desktop.notepad.back(), table);
    ASSERT_TRUE(ui().Command11->isEnabled());
    EXPECT_TRUE(state().colors.empty());
    ui().Command11->click();
    EXPECT_EQ(state().colors, ("/IC \"" + table + "\"").toStdString());
}

TEST_F(SkinWindowTest, ExtractionFailuresAreReportedInsteadOfSuccess) {
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
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].icon, MessageIcon::Error);
        EXPECT_TRUE(shown()[0].text.contains(c.named));
    }
}

TEST_F(SkinWindowTest, NothingStartsWithoutLoadedFileOrDirectoryOrWithAnUnquotablePath) {
    ui().Command13->click();
    ui().Command8->click();
    EXPECT_FALSE(QDir(kitPath("hdl_gfx_tmp")).exists());
    EXPECT_FALSE(ui().Command6->isEnabled() || ui().Command12->isEnabled());
    state().openelf = "/games/HDLOADER.ELF";
    for (const char* blocker : {"hdl_gfx", "hdl_gfx_tmp"})
        QFile(kitPath(blocker)).open(QIODevice::WriteOnly);
    ui().Command13->click();
    ui().Command8->click();
    state().openelf = "/games/odd\"name.ELF";
    ui().Command13->click();

    EXPECT_TRUE(fake.runner.calls.empty());
    ASSERT_EQ(shown().size(), 5u);
    for (int i : {0, 1}) EXPECT_EQ(shown()[i].text, "Please load HDL/HDA (unpacked)");
    EXPECT_EQ(shown()[1].icon, MessageIcon::None);
    EXPECT_TRUE(shown()[2].text.contains(kitPath("hdl_gfx")));
    EXPECT_TRUE(shown()[3].text.contains(kitPath("hdl_gfx_tmp")));
    EXPECT_TRUE(shown()[4].text.contains("odd\"name.ELF"));
    EXPECT_EQ(shown()[4].icon, MessageIcon::Error);
    // A preload with a loaded file still makes View and Open usable.
    EXPECT_TRUE(ui().Command6->isEnabled() && ui().Command12->isEnabled());
}

TEST_F(SkinWindowTest, ViewShowsBothScreensAndClearsOnlyTheBoxOfABadPicture) {
    state().openelf = "/games/HDLOADER.ELF";
    toolWritesGraphicsSet();
    ui().Command8->click();
    ui().Command6->click();
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(centreColour(ui().Image3), QColor(Qt::red));  // splash on the left
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::blue));

    QFile splash(kitPath("hdl_gfx_tmp/hdl_splash.bmp"));
    ASSERT_TRUE(splash.open(QIODevice::ReadOnly));
    const QByteArray bitmap = splash.readAll();
    splash.close();
    // Missing, cut short (as while the tool still writes) and not a picture.
    for (const QByteArray& content :
         {QByteArray(), bitmap.left(bitmap.size() / 2), QByteArray(4096, 'Z')}) {
        splash.remove();
        if (!content.isEmpty()) {
            ASSERT_TRUE(splash.open(QIODevice::WriteOnly));
            splash.write(content);
            splash.close();
        }
        ui().Image3->setPixmap(QPixmap(8, 8));
        ui().Image2->clear();
        ui().Command6->click();
        EXPECT_TRUE(ui().Image3->pixmap().isNull());
        EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::blue));
    }
}

TEST_F(SkinWindowTest, EachSlotOffersItsFilterAndACancelKeepsTheEarlierChoice) {
    const QString first = kitPath("menu 1.bmp"), second = kitPath("menu 2.bmp");
    writeBitmap(first, Qt::green);
    writeBitmap(second, Qt::yellow);
    fake.dialogs.answers = {std::nullopt, first, second, std::nullopt};
    ui().Command9->click();
    for (int click = 0; click < 3; ++click) ui().Command5->click();
    ui().Command7->click();  // no answer left: cancelled
    ui().Command4->click();

    const QString screen = "*.BMP (Splash BMP)|*.BMP";
    EXPECT_EQ(
        fake.dialogs.filters,
        (std::vector<QString>{
            "*.TGA (32bit Targa)|*.TGA|*.RAW (32bit interleaved RAW)|*.RAW|*.BMP (BMP Image)|*.BMP",
            screen, screen, screen, screen, "*.BMP (Load Font BMP)|*.BMP"}));
    EXPECT_EQ(state().Text10, (" /IM \"" + second + "\"").toStdString());
    EXPECT_EQ(ui().Text7->text(), "menu 2.bmp");
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::yellow));
    EXPECT_TRUE(ui().Image3->pixmap().isNull());
    EXPECT_EQ(state().pulsanti + state().Text9 + state().Text1, "");
    EXPECT_EQ(ui().textfont->text(), "Change Text ...");
}

TEST_F(SkinWindowTest, UnshowablePicturesStillCountButQuotedPathsAreRefused) {
    writeBitmap(kitPath("splash.bmp"), Qt::red);
    QFile(kitPath("broken.bmp")).open(QIODevice::WriteOnly);
    fake.dialogs.answers = {kitPath("splash.bmp"), kitPath("broken.bmp"), kitPath("b.RAW"),
                            QString("/art/a\"b.tga")};
    ui().Command7->click();
    ui().Command7->click();  // cannot be shown: the preview keeps the earlier picture
    ui().Command9->click();
    ui().Command9->click();  // refused: the slot keeps b.RAW

    EXPECT_EQ(state().Text9, (" /IS \"" + kitPath("broken.bmp") + "\"").toStdString());
    EXPECT_EQ(ui().Text8->text(), "broken.bmp");
    EXPECT_EQ(centreColour(ui().Image3), QColor(Qt::red));
    EXPECT_EQ(state().pulsanti, ("/IB \"" + kitPath("b.RAW") + "\"").toStdString());
    EXPECT_EQ(ui().textbutton->text(), "b.RAW");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace kelvane::testing
