#pragma once

#include <filesystem>
#include <string>

#include "core/program_directory.h"
#include "core/utf8_path.h"

namespace kelvane {

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
