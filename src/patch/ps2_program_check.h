#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kelvane {

// The most bytes the check reads: the ELF header and the program header
// table, which in a PS2 program lie at the start of the file.
inline constexpr std::size_t kPs2ProgramHeadSize = 4096;

// A PS2 program is a 32-bit little-endian ELF executable for MIPS whose
// program headers lie inside the file, whose loadable segments end inside it
// and whose entry point lies in one of them.
//
// Judges the first bytes of a file (`head`, `headSize` of them, at most
// kPs2ProgramHeadSize) of `fileSize` bytes in all. Returns nothing for a PS2
// program, otherwise what the file is instead, worded to follow "it is":
// "empty", "a text file", "an ELF for x86-64", "an ELF file whose header is
// cut off", ...
std::optional<std::string> describeNonPs2Program(const unsigned char* head, std::size_t headSize,
                                                 std::uint64_t fileSize);

// The same for the file at `path` (UTF-8). Only a regular file is opened, and
// only its head is read; anything else is described as what it is ("missing",
// "a folder", "not a regular file", "unreadable").
std::optional<std::string> notAPs2Program(const std::string& path);

}  // namespace kelvane
