#pragma once

#include <string>
#include <string_view>

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

// The patched loader: program directory + "\" + output name, and the packed
// one: program directory + "\PACKED_" + output name. The output name is
// appended as typed: only the fixed prefix goes through the separator
// conversion of ProgramDirectory::join.
inline std::string outputPath(const ProgramDirectory& dir, std::string_view outputName) {
    return dir.join("\\") + std::string(outputName);
}
inline std::string packedOutputPath(const ProgramDirectory& dir, std::string_view outputName) {
    return dir.join("\\PACKED_") + std::string(outputName);
}

}  // namespace kelvane
