#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/qt_main_window.h"
#include "support/fake_platform.h"
// Needs ui_qt_main_window.h, which each test source includes for AUTOUIC.

namespace kelvane::testing {

// A real main window over recording fakes, with its program directory in a
// fresh temporary folder whose name has a blank. Counts the focus moves to
// the invisible sink.
class PatchWindowTest : public ::testing::Test {
  protected:
    PatchWindowTest()
        : kit(QDir::tempPath() + QStringLiteral("/patch kit XXXXXX")),
          window(ProgramDirectory(kit.path().toStdString(), '/'), platform.services()),
          ui(window.ui()),
          state(window.state()) {
        window.context().focusSink = [this] { ++focusMoves; };
    }

    QString kitPath(const QString& name) const { return kit.path() + QLatin1Char('/') + name; }

    QTemporaryDir kit;
    FakePlatform platform;
    MainWindow window;
    Ui::MainWindow& ui;
    FormState& state;
    int focusMoves = 0;
};

}  // namespace kelvane::testing
