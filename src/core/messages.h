#pragma once

namespace kelvane {

// Status text at start and the answer of "Patch", "Extract Graphics" and
// "1 - Preload Graphics" while no loader is loaded.
inline constexpr const char* kPleaseLoadLoader = "Please load HDL/HDA (unpacked)";

// What to do when the program folder cannot be written: every output lies
// beside the program, so the kit has to move.
inline constexpr const char* kCopyKitSomewhereWritable =
    "Copy the whole program folder (with its tools folder) to a place you can write to, such as "
    "your home folder, and start the program from there.";

// Line break inside a message text: CR LF on Windows, where message boxes and
// editors expect it, a plain LF elsewhere (a CR would show as a stray
// character or an empty line).
#ifdef _WIN32
inline constexpr const char* kLineBreak = "\r\n";
#else
inline constexpr const char* kLineBreak = "\n";
#endif

}  // namespace kelvane
