#pragma once

#include <string>
#include <vector>

namespace kelvane::tools {

// Start of every stand-in run: prints the line that says this is a stand-in
// for the real tool, then appends the arguments to the tool log (if asked for).
void announceStandIn(const std::string& toolName, const std::string& realToolName,
                     const std::vector<std::string>& args);

// Prints "<tool>: <message>" on stderr and returns the given exit code.
int failWith(const std::string& toolName, const std::string& message, int exitCode = 1);

}  // namespace kelvane::tools
