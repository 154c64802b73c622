#pragma once

#include <string>

namespace kelvane {

// The texts of the font window, which tells how to make a replacement font.
extern const std::string kFontWindowCaption;
extern const std::string kFontWindowLabel;

// Twelve lines joined by CR LF, nothing after the last.
std::string fontInstructions();

}  // namespace kelvane
