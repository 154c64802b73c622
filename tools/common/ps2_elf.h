#pragma once

#include <cstddef>
#include <cstdint>

#include "common/file_io.h"

namespace kelvane::tools {

// Where a program's one loadable segment lies in its file and in memory.
struct Ps2Segment {
    std::uint32_t fileOffset = 0;
    std::uint32_t address = 0;
    std::uint32_t fileSize = 0;
    std::uint32_t memorySize = 0;
    std::uint32_t entry = 0;  // the entry point, inside the segment
};

// The ELF header and its one program header take this many bytes.
inline constexpr std::size_t kPs2ElfHeadersSize = 52 + 32;

// Writes, at the start of `out` (at least kPs2ElfHeadersSize bytes), the
// headers of a PS2 program: a 32-bit little-endian MIPS ELF executable with
// one loadable segment.
void writePs2ElfHeaders(Bytes& out, const Ps2Segment& segment);

}  // namespace kelvane::tools
