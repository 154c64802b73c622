#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {

// A real main window on the recording fakes, with a fresh temporary program
// directory.
class SkinWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(programDir.isValid());
        window = std::make_unique<MainWindow>(
            ProgramDirectory(QDir::toNativeSeparators(programDir.path()).toStdString(),
                             QDir::separator().toLatin1()),
            fake.services());
    }

    QString kitPath(const QString& relative) const { return programDir.filePath(relative); }
    Ui::MainWindow& ui() { return window->ui(); }
    FormState& state() { return window->state(); }

    // Writes a plain picture of one colour as a Windows bitmap.
    static void writeBitmap(const QString& path, QColor colour, QSize size = {512, 448}) {
        QImage picture(size, QImage::Format_RGB888);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(path, "BMP")) << path.toStdString();
    }

    // Acts like HDLPatch "/X": the six files appear in the working directory.
    void toolWritesGraphicsSet() {
        fake.runner.onRun = [](const ToolCommand& command) {
            const QDir dir(command.workingDirectory);
            writeBitmap(dir.filePath("hdl_main.bmp"), Qt::blue);
            writeBitmap(dir.filePath("hdl_splash.bmp"), Qt::red);
            writeBitmap(dir.filePath("hdl_font.bmp"), Qt::white, {256, 256});
            for (const char* name : {"hdl_button.tga", "hdl_colors.txt", "hdl_font.dat"}) {
                QFile file(dir.filePath(name));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write("x");
            }
        };
    }

    QTemporaryDir programDir;
    FakePlatform fake;
    std::unique_ptr<MainWindow> window;
};

}  // namespace kelvane::testing
