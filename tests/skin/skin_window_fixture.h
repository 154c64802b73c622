#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <memory>

#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {

// A real main window on the recording fakes, in a fresh program directory.
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

    static void writeBitmap(const QString& path, QColor colour) {
        QImage picture(512, 448, QImage::Format_RGB888);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(path, "BMP")) << path.toStdString();
    }
    static QColor centreColour(const QLabel* box) {
        const QImage shown = box->pixmap().toImage();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    }

    // Acts like HDLPatch "/X": the six files appear in the working directory.
    void toolWritesGraphicsSet() {
        fake.runner.onRun = [](const ToolCommand& command) {
            const QDir dir(command.workingDirectory);
            writeBitmap(dir.filePath("hdl_main.bmp"), Qt::blue);
            writeBitmap(dir.filePath("hdl_splash.bmp"), Qt::red);
            for (const char* name :
                 {"hdl_button.tga", "hdl_colors.txt", "hdl_font.bmp", "hdl_font.dat"}) {
                QFile file(dir.filePath(name));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            }
        };
    }

    QTemporaryDir programDir;
    FakePlatform fake;
    std::unique_ptr<MainWindow> window;
};

}  // namespace kelvane::testing
