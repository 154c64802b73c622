#pragma once

namespace kelvane {

// Status text at start and the answer of "Patch", "Extract Graphics" and
// "1 - Preload Graphics" while no loader is loaded.
inline constexpr const char* kPleaseLoadLoader = "Please load HDL/HDA (unpacked)";

// Line break inside a message text: CR LF on Windows, where message boxes and
// editors expect it, a plain LF elsewhere (a CR would show as a stray
// character or an empty line).
#ifdef _WIN32
inline constexpr const char* kLineBreak = "\r\n";
#else
inline constexpr const char* kLineBreak = "\n";
#endif

}  // namespace kelvane
