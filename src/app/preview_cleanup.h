#pragma once

#include <filesystem>
#include <string>

#include "core/program_directory.h"

namespace kelvane {

// A path given as UTF-8 text (the program directory is held as UTF-8).
std::filesystem::path pathFromUtf8(const std::string& utf8);

// Shutdown clean-up of the preview directory (program directory +
// "\hdl_gfx_tmp"): deletes the six graphics-set files in it, by absolute
// path, then removes the directory if that left it empty. Anything else in
// it stays, and so does the directory then. A symbolic link named like one of
// the six files is removed as a link, its target untouched; when the preview
// directory itself is a link (or missing, or not a directory) nothing is
// deleted. Every failure is ignored; the working directory is not changed.
void cleanUpPreviewDirectory(const ProgramDirectory& dir);
void cleanUpPreviewDirectory(const std::filesystem::path& previewDir);

}  // namespace kelvane
