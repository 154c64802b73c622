#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvane {

enum class BitmapCompleteness { NotABitmap, Complete, Truncated };

// Tells from the first bytes of a file and its full size whether a Windows
// bitmap holds all the pixel data its headers promise. Picture decoders
// happily show a cut-off bitmap (for example one the tool is still writing)
// as a part-filled picture; this catches it. `head` should hold at least the
// first 54 bytes when the file has them.
BitmapCompleteness checkBitmapCompleteness(const unsigned char* head, std::size_t headSize,
                                           std::uint64_t fileSize);

}  // namespace kelvane
