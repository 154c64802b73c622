#pragma once

#include <QDir>
#include <QString>

#include "app/qt_main_window.h"
#include "support/fake_services.h"

namespace kelvane::testing {

// All four fakes together, ready to hand to a MainWindow.
struct FakePlatform {
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeToolRunner runner;
    FakeDesktopServices desktop;

    PlatformServices services() { return {messages, dialogs, runner, desktop}; }
};

// The program directory at `path`, written with this system's separator.
inline ProgramDirectory nativeProgramDirectory(const QString& path) {
    return ProgramDirectory(QDir::toNativeSeparators(path).toStdString(),
                            QDir::separator().toLatin1());
}

}  // namespace kelvane::testing
