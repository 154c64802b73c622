#pragma once

#include <functional>

class QWidget;

namespace kelvane {

// The whole program: reads the command line (--help, --version), finds the
// folders to work in, shows the main window and runs it until it closes.
// `beforeShow`, when given, sees the main window just before it is shown.
int runProgram(int& argc, char** argv, const std::function<void(QWidget&)>& beforeShow = {});

}  // namespace kelvane
