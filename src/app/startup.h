#pragma once

#include <string>

#include "core/form_state.h"
#include "core/program_directory.h"

namespace kelvane {

// Texts the main window shows before the user has done anything.
struct StartupTexts {
    std::string caption;  // "HDL/HDA Kelvane GUI  ver. 2.0"
    std::string panel1;   // status message
    std::string panel2;   // name and version
};

StartupTexts startupTexts();

// Derives the two output paths from the output name as it stands (text13).
// Creates no file or directory.
void applyStartup(FormState& state, const ProgramDirectory& dir);

}  // namespace kelvane
