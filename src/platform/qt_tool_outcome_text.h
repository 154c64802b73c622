#pragma once

#include <QString>

#include "platform/qt_process_runner.h"

namespace kelvane {

// One line saying how a tool run ended: "Completed successfully",
// "Failed with exit code N", "Crashed", "Stopped by user" or
// "Could not start: <reason>".
QString describeOutcome(const ToolOutcome& outcome);

}  // namespace kelvane
