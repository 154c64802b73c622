#pragma once

#include <QString>

#include "platform/qt_process_runner.h"
#include "platform/tool_outcome.h"

namespace kelvane {

// The runner's outcome as plain data, for the decisions that judge a run.
ToolEnd toolEnd(const ToolOutcome& outcome);

// One line saying how a tool run ended: "Completed successfully",
// "Failed with exit code N", "Crashed", "Stopped by user" or
// "Could not start: <reason>". When the step wrote `writtenFile`, the line
// names it (and says it may be incomplete when the tool did not succeed).
QString describeOutcome(const ToolOutcome& outcome, const QString& writtenFile = {});

}  // namespace kelvane
