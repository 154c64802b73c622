#pragma once

#include <QWidget>

#include "platform/desktop/qt_desktop_services.h"
#include "platform/desktop/qt_message_boxes.h"
#include "platform/process/tool_runner.h"

namespace kelvane {

// Where a tool console stands and what its "Open Folder" uses.
struct ConsolePlace {
    QWidget* window = nullptr;  // the console is window-modal over it
    DesktopServices* desktop = nullptr;
    MessageBoxes* messages = nullptr;
};

// Runs the job in a tool console over the window, shown when the first step
// starts and open until the user closes it after the end. Stop in the console stops the job.
ToolJobResult runInToolConsole(ToolRunner& runner, const ToolJob& job, const ConsolePlace& place);

}  // namespace kelvane
