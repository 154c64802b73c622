#pragma once

#include <string>
#include <string_view>

#include "core/program_directory.h"

namespace kelvane {

// The read-me documents of the two outside tools, shipped in the kit's
// README folder.
enum class ReadmeDocument { HdlPatch, PackerV03, PackerV04 };

// Path of the document relative to the program directory, written with
// backslashes ("\README\HDL PATCH README.txt").
std::string_view readmeRelativePath(ReadmeDocument document);

// Full path: the program directory followed by the relative path, nothing
// trimmed.
std::string readmePath(const ProgramDirectory& programDir, ReadmeDocument document);

}  // namespace kelvane
