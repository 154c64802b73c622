// Converted pictures and an edited colour table armed through the window, then
// a real patch run: the stand-in HDLPatch logs the arguments it received.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qt_process_runner_impl.h"
#include "skin/modal_answer.h"
#include "skin/picture_check.h"
#include "skin/qt_colour_table_editor.h"
#include "skin/qt_convert_dialog.h"
#include "skin/qt_picture_file.h"
#include "support/fake_platform.h"
#include "tool_log.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

void answerConvert(FitMode mode) {
    whenModal<ConvertDialog>([mode](ConvertDialog* dialog) {
        dialog->setFitMode(mode);
        dialog->accept();
    });
}

TEST(PicturesEndToEnd, ConvertedPicturesAndTheEditedColourTableReachHdlpatch) {
    QTemporaryDir kit(QDir::tempPath() + "/pictures e2e kit XXXXXX");
    const auto path = [&](const QString& relative) {
        return QDir::toNativeSeparators(kit.filePath(relative));
    };
    const QDir built(QStringLiteral(KELVANE_TEST_KIT_DIR));
    ASSERT_TRUE(QDir(kit.path()).mkpath("tools") && QDir(kit.path()).mkpath("my pictures"));
    ASSERT_TRUE(QFile::copy(built.filePath("tools/hdlpatch.exe"), path("tools/hdlpatch.exe")));
    ASSERT_TRUE(QFile::copy(built.filePath("samples/DEMO.ELF"), path("DEMO.ELF")));
    qputenv(tools::kToolLogVariable, QFile::encodeName(path("tool log.txt")));

    // The menu screen comes from a JPEG where this Qt has the JPEG plugin, and
    // otherwise from another format that is neither PNG nor BMP.
    const QByteArray menuFormat =
        QImageWriter::supportedImageFormats().contains("jpg") ? "jpg" : "ppm";
    const QString photo = path("my pictures/photo.png");
    const QString menu = path("my pictures/menu." + QString::fromLatin1(menuFormat));
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(photo, "PNG") && picture.save(menu, menuFormat.constData()));

    FakePlatform fakes;
    QtProcessRunner runner;
    MainWindow window(ProgramDirectory(QDir::toNativeSeparators(kit.path()).toStdString(),
                                       QDir::separator().toLatin1()),
                      {fakes.messages, fakes.dialogs, runner, fakes.desktop});
    runner.setWindow(&window);
    runner.setConsoleClosesWhenDone(true);
    Ui::MainWindow& ui = window.ui();
    window.state().openelf = path("DEMO.ELF").toStdString();

    // The stand-in extracts a colour table to edit.
    ui.Command13->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fakes.messages.shown.empty(); }, 30000));
    fakes.messages.shown.clear();

    fakes.dialogs.answers = {photo, menu, photo};
    fakes.messages.answers = {"Convert", "Convert", "Convert"};
    answerConvert(FitMode::FillAndCrop);
    ui.Command7->click();
    answerConvert(FitMode::Stretch);
    ui.Command5->click();
    answerConvert(FitMode::FitInside);
    ui.Command9->click();

    whenModal<ColourTableEditor>([](ColourTableEditor* editor) {
        editor->pickColour = [](const QColor&) { return QColor(0, 255, 0, 255); };
        editor->editRow(0);
        editor->save();
        editor->accept();
    });
    window.findChild<QAction*>("mnuEditColours")->trigger();

    ui.ntsc->click();
    ui.Command2->click();
    qunsetenv(tools::kToolLogVariable);

    const QString splash = path("converted/photo-splash.bmp");
    const QString main = path("converted/menu-main.bmp");
    const QString button = path("converted/photo-button.bmp");
    const QString table = path("hdl_gfx/hdl_colors.txt");
    const auto log = tools::readToolLog(path("tool log.txt").toStdString());
    ASSERT_EQ(log.size(), 2u);
    const auto s = [](const QString& text) { return text.toStdString(); };
    EXPECT_EQ(log[1].args, (std::vector<std::string>{"/P", "82,2D", "/IS", s(splash), "/IM",
                                                     s(main), "/IB", s(button), "/IC", s(table),
                                                     s(path("DEMO.ELF")), s(path("OUTFILE.ELF"))}));
    EXPECT_TRUE(QFile::exists(path("OUTFILE.ELF")));
    const std::pair<QString, ImageSlot> written[] = {{splash, ImageSlot::SplashScreen},
                                                     {main, ImageSlot::MainMenuScreen},
                                                     {button, ImageSlot::ButtonImage}};
    for (const auto& [file, slot] : written)
        EXPECT_TRUE(pictureFitsSlot(slot, inspectPictureFile(file).facts, false)) << s(file);

    QFile edited(table);
    ASSERT_TRUE(edited.open(QIODevice::ReadOnly));
    EXPECT_TRUE(edited.readAll().startsWith("00FF0080 // 1_Menu background\r\n"));
    // Only the note that the table was saved and armed; the patch went through.
    ASSERT_EQ(fakes.messages.shown.size(), 4u);
    EXPECT_TRUE(fakes.messages.shown.back().text.contains("saved"));
}

}  // namespace
}  // namespace kelvane::testing
