#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The command line that opens one text file in Notepad: "notepad.exe ", then
// the path in double quotes, so that a path with blanks stays one argument.
std::string notepadCommandLine(std::string_view path);

}  // namespace kelvane
