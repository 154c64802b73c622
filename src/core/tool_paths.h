#pragma once

#include <string>

#include "core/program_directory.h"

namespace kelvane {

// The two external tools live in "tools" below the program directory.
inline std::string hdlpatchPath(const ProgramDirectory& dir) {
    return dir.join("\\tools\\hdlpatch.exe");
}
inline std::string ps2PackerPath(const ProgramDirectory& dir) {
    return dir.join("\\tools\\ps2-packer.exe");
}

}  // namespace kelvane
