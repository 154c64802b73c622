#pragma once

#include <optional>

#include "common/file_io.h"

namespace kelvane::tools {

// Packed file: the four bytes "KRLE", the unpacked size (32 bits, little
// endian), then PackBits run-length data: a control byte n of 0..127 is
// followed by n+1 literal bytes; 129..255 by one byte repeated 257-n times.
Bytes packRunLength(const Bytes& input);

// The unpacked bytes, or nothing when the data is not a well-formed packed file.
// A declared size larger than the data could unpack to (64 bytes for every two
// bytes after the header) is refused before any memory is reserved for it.
std::optional<Bytes> unpackRunLength(const Bytes& packed);

// What the stand-in packer writes: a PS2 program in form only (a MIPS ELF
// executable whose one loadable segment holds the run-length packed input,
// with no code to unpack it), and the way back to the input.
Bytes packAsProgram(const Bytes& input);
std::optional<Bytes> unpackProgram(const Bytes& program);

}  // namespace kelvane::tools
