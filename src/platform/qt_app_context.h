#pragma once

#include <QWidget>
#include <functional>

#include "core/form_state.h"
#include "core/program_directory.h"
#include "platform/qt_desktop_services.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_message_boxes.h"
#include "platform/qt_process_runner.h"
#include "platform/qt_run_guard.h"

namespace kelvane {

// What every controller of the main window shares: the state, the program
// directory and the platform services. Owned by the main window.
struct AppContext {
    FormState& state;
    ProgramDirectory programDir;
    MessageBoxes& messages;
    FileDialogs& dialogs;
    ProcessRunner& runner;
    DesktopServices& desktop;
    QWidget* mainWindow;
    // Moves the keyboard focus to the invisible sink, which accepts no text.
    std::function<void()> focusSink;
    // Lets one tool run go at a time.
    RunGuard& runs;
};

}  // namespace kelvane
