#include "demo_loader/demo_loader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/loader.h"
#include "common/ps2_elf.h"

namespace kelvane::tools {
namespace {

constexpr std::size_t kSegmentOffset = 0x80;
constexpr std::uint32_t kLoadAddress = 0x00100000;
constexpr std::size_t kBlockSize = 0x10000;
constexpr std::size_t kCodePerBlock = 0x5000;

void put32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + std::size_t(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

Bytes makeDemoLoader() {
    Bytes out(kLoaderSize, 0);
    const auto segmentSize = static_cast<std::uint32_t>(kLoaderSize - kSegmentOffset);
    // The segment holds the whole file after the headers, plus zero-initialised data.
    writePs2ElfHeaders(out, {static_cast<std::uint32_t>(kSegmentOffset), kLoadAddress, segmentSize,
                             segmentSize + 0x40000, kLoadAddress + 0x100});

    std::uint32_t seed = 0x4B454C56;  // fixed: every build makes the same file
    const std::string banner = "HDL Kelvane GUI demo loader - not a real HDLoader. ";
    for (std::size_t block = kSegmentOffset; block < kLoaderSize; block += kBlockSize) {
        const std::size_t codeEnd = std::min(block + kCodePerBlock, kLoaderSize);
        for (std::size_t at = block; at + 4 <= codeEnd; at += 4) {
            seed = seed * 1664525u + 1013904223u;
            put32(out, at, seed);
        }
        const std::size_t textAt = codeEnd + 0x100;
        if (textAt + banner.size() <= kLoaderSize)
            std::copy(banner.begin(), banner.end(),
                      out.begin() + static_cast<std::ptrdiff_t>(textAt));
    }
    return out;
}

}  // namespace kelvane::tools
