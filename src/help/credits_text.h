#pragma once

#include <array>
#include <string>

namespace kelvane {

inline constexpr int kCreditsLineCount = 14;

// The lines of the about window's scrolling credits, first to last.
std::array<std::string, kCreditsLineCount> creditsLines();

// The credits as one text: the lines joined with CR LF, no line break after
// the last one.
std::string creditsText();

}  // namespace kelvane
