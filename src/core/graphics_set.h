#pragma once

#include <array>

namespace kelvane {

// The graphics set that the patch tool writes into its working directory when
// given "/X", in the order the shutdown clean-up deletes them.
inline constexpr std::array<const char*, 6> kGraphicsSetFiles = {
    "hdl_button.tga", "hdl_colors.txt", "hdl_font.bmp",
    "hdl_font.dat",   "hdl_main.bmp",   "hdl_splash.bmp",
};

// Directories below the program directory: the user's copy and the preview
// scratch copy that is removed at shutdown.
inline constexpr const char* kExtractionDirRelative = "\\hdl_gfx";
inline constexpr const char* kPreviewDirRelative = "\\hdl_gfx_tmp";

}  // namespace kelvane
