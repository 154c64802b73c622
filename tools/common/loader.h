#pragma once

#include <cstddef>

namespace kelvane::tools {

// The size of an unpacked HDLoader/HDAdvance executable that HDLPatch accepts.
inline constexpr std::size_t kLoaderSize = 2977792;

}  // namespace kelvane::tools
