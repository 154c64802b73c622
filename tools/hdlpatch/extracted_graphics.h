#pragma once

#include <string>
#include <vector>

#include "common/file_io.h"

namespace kelvane::tools {

struct GraphicsFile {
    std::string name;
    Bytes content;
};

// The six files of an extracted graphics set: hdl_button.tga (128x64, 32-bit),
// hdl_colors.txt (colour table, CR LF lines), hdl_font.bmp (256x256 font sheet)
// with hdl_font.dat (one width byte per character), and the two 512x448
// screens hdl_main.bmp and hdl_splash.bmp.
std::vector<GraphicsFile> makeExtractedGraphics();

}  // namespace kelvane::tools
