#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Splits a Windows command line into arguments the way the Microsoft C
// runtime does for a program's argv, so that a program started on another
// system receives what it would receive on Windows.
//
// The first argument (the program) ends at the first blank or tab outside
// double quotes; quotes only group and backslashes are literal there. In the
// other arguments, blanks and tabs outside quotes separate arguments; 2n
// backslashes before a quote give n backslashes and the quote opens or closes
// quoting; 2n+1 backslashes before a quote give n backslashes and a literal
// quote; backslashes elsewhere are literal; inside quotes, "" gives a literal
// quote and quoting goes on.
std::vector<std::string> splitWindowsCommandLine(std::string_view commandLine);

}  // namespace kelvane
