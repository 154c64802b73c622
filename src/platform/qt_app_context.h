#pragma once

#include <QWidget>
#include <functional>

#include "core/form_state.h"
#include "core/program_directory.h"
#include "platform/desktop/qt_desktop_services.h"
#include "platform/desktop/qt_file_dialogs.h"
#include "platform/desktop/qt_message_boxes.h"
#include "platform/process/qt_run_guard.h"
#include "platform/process/tool_runner.h"

namespace kelvane {

// What every controller of the main window shares: the state, the directory
// the work paths and tools are formed from, the platform services and the
// folder of the read-mes. Owned by the main window.
struct AppContext {
    FormState& state;
    // The program directory in portable mode, else the per-user work folder;
    // it also finds the tools.
    ProgramDirectory programDir;
    MessageBoxes& messages;
    FileDialogs& dialogs;
    ToolRunner& runner;
    DesktopServices& desktop;
    QWidget* mainWindow;
    // Moves the keyboard focus to the invisible sink, which accepts no text.
    std::function<void()> focusSink;
    // Lets one tool run go at a time.
    RunGuard& runs;
    // Where README lies: the program directory, or the installation's data
    // folder. In a portable kit it is programDir.
    ProgramDirectory kitDir;
};

}  // namespace kelvane
