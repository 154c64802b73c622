#include "common/ps2_elf.h"

#include <algorithm>

namespace kelvane::tools {
namespace {

void put16(Bytes& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(Bytes& out, std::size_t at, std::uint32_t value) {
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

}  // namespace

void writePs2ElfHeaders(Bytes& out, const Ps2Segment& segment) {
    const std::uint8_t ident[16] = {0x7F, 'E', 'L', 'F', 1 /*32-bit*/, 1 /*little endian*/, 1};
    std::copy(ident, ident + 16, out.begin());
    put16(out, 16, 2);              // executable
    put16(out, 18, 8);              // MIPS
    put32(out, 20, 1);              // version
    put32(out, 24, segment.entry);  // entry point
    put32(out, 28, 52);             // program headers follow this header
    put32(out, 32, 0);              // no section headers
    put32(out, 36, 0);              // flags
    put16(out, 40, 52);             // header size
    put16(out, 42, 32);             // program header size
    put16(out, 44, 1);              // one program header
    put16(out, 46, 40);             // section header size
    put16(out, 48, 0);
    put16(out, 50, 0);

    const std::size_t ph = 52;
    put32(out, ph + 0, 1);  // loadable
    put32(out, ph + 4, segment.fileOffset);
    put32(out, ph + 8, segment.address);
    put32(out, ph + 12, segment.address);
    put32(out, ph + 16, segment.fileSize);
    put32(out, ph + 20, segment.memorySize);
    put32(out, ph + 24, 7);  // read, write, execute
    put32(out, ph + 28, 0x10);
}

}  // namespace kelvane::tools
