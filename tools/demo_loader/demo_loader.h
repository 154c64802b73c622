#pragma once

#include "common/file_io.h"

namespace kelvane::tools {

// A demo loader of exactly the size of an unpacked HDLoader/HDAdvance: a
// 32-bit little-endian MIPS ELF header with one loadable segment, followed by
// deterministic content (stretches of pseudo-random "code", text and zero
// padding) so that it packs like a real executable would.
Bytes makeDemoLoader();

}  // namespace kelvane::tools
