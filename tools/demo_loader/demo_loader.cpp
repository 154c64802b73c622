#include "demo_loader/demo_loader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/loader.h"

namespace kelvane::tools {
namespace {

constexpr std::size_t kSegmentOffset = 0x80;
constexpr std::uint32_t kLoadAddress = 0x00100000;
constexpr std::size_t kBlockSize = 0x10000;
constexpr std::size_t kCodePerBlock = 0x5000;

void put16(Bytes& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(Bytes& out, std::size_t at, std::uint32_t value) {
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

void writeElfHeader(Bytes& out) {
    const std::uint8_t ident[16] = {0x7F, 'E', 'L', 'F', 1 /*32-bit*/, 1 /*little endian*/, 1};
    std::copy(ident, ident + 16, out.begin());
    put16(out, 16, 2);                     // executable
    put16(out, 18, 8);                     // MIPS
    put32(out, 20, 1);                     // version
    put32(out, 24, kLoadAddress + 0x100);  // entry point
    put32(out, 28, 52);                    // program headers follow this header
    put32(out, 32, 0);                     // no section headers
    put32(out, 36, 0);                     // flags
    put16(out, 40, 52);                    // header size
    put16(out, 42, 32);                    // program header size
    put16(out, 44, 1);                     // one program header
    put16(out, 46, 40);                    // section header size
    put16(out, 48, 0);
    put16(out, 50, 0);

    const std::size_t ph = 52;
    const auto segmentSize = static_cast<std::uint32_t>(kLoaderSize - kSegmentOffset);
    put32(out, ph + 0, 1);  // loadable
    put32(out, ph + 4, static_cast<std::uint32_t>(kSegmentOffset));
    put32(out, ph + 8, kLoadAddress);
    put32(out, ph + 12, kLoadAddress);
    put32(out, ph + 16, segmentSize);
    put32(out, ph + 20, segmentSize + 0x40000);  // plus zero-initialised data
    put32(out, ph + 24, 7);                      // read, write, execute
    put32(out, ph + 28, 0x10);
}

}  // namespace

Bytes makeDemoLoader() {
    Bytes out(kLoaderSize, 0);
    writeElfHeader(out);

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
