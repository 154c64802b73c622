#include "platform/desktop/notepad_command.h"

namespace kelvane {

std::string notepadCommandLine(std::string_view path) {
    std::string line = "notepad.exe ";
    line += '"';
    line += path;
    line += '"';
    return line;
}

}  // namespace kelvane
