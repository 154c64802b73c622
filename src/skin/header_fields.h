#pragma once

#include <cstdint>

namespace kelvane {

// Whole numbers in picture headers, stored least significant byte first as
// BMP and Targa files store them.
inline std::uint32_t readLe16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}

inline std::uint32_t readLe32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

// The size held in a signed 32-bit field: a BMP stores the height of a
// picture kept top row first as a negative number.
inline std::uint64_t magnitude32(std::uint32_t raw) {
    const auto value = static_cast<std::int32_t>(raw);
    return value < 0 ? std::uint64_t(-std::int64_t(value)) : std::uint64_t(value);
}

}  // namespace kelvane
