#pragma once

#include <string>

#include "core/program_directory.h"

namespace kelvane {

// The two external tools: in "tools" below the program directory, or wherever
// the program directory's tool search finds them.
inline std::string hdlpatchPath(const ProgramDirectory& dir) {
    return dir.toolPath(Tool::HdlPatch);
}
inline std::string ps2PackerPath(const ProgramDirectory& dir) {
    return dir.toolPath(Tool::Ps2Packer);
}

}  // namespace kelvane
