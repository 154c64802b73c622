#include "ps2-packer/run_length.h"

#include <algorithm>

#include "common/ps2_elf.h"

namespace kelvane::tools {
namespace {

constexpr std::uint8_t kMagic[4] = {'K', 'R', 'L', 'E'};
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kMaxRun = 128;
constexpr std::uint32_t kPayloadOffset = 0x80;
constexpr std::uint32_t kLoadAddress = 0x01000000;

// The most bytes that n bytes of run-length data can unpack to: every pair of
// a control byte and the byte it repeats gives at most kMaxRun bytes, and
// literals give fewer bytes than they take.
std::uint64_t mostUnpackedFrom(std::size_t n) {
    return static_cast<std::uint64_t>(n / 2) * kMaxRun;
}

std::size_t runLengthAt(const Bytes& input, std::size_t pos) {
    std::size_t run = 1;
    while (pos + run < input.size() && run < kMaxRun && input[pos + run] == input[pos]) ++run;
    return run;
}

}  // namespace

Bytes packRunLength(const Bytes& input) {
    Bytes out(kMagic, kMagic + 4);
    const auto size = static_cast<std::uint32_t>(input.size());
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(size >> shift));

    std::size_t pos = 0;
    while (pos < input.size()) {
        std::size_t run = runLengthAt(input, pos);
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(257 - run));
            out.push_back(input[pos]);
            pos += run;
            continue;
        }
        // Literals up to the next run of three or more, at most 128 of them.
        std::size_t start = pos;
        while (pos < input.size() && pos - start < kMaxRun && runLengthAt(input, pos) < 3) ++pos;
        out.push_back(static_cast<std::uint8_t>(pos - start - 1));
        out.insert(out.end(), input.begin() + static_cast<std::ptrdiff_t>(start),
                   input.begin() + static_cast<std::ptrdiff_t>(pos));
    }
    return out;
}

std::optional<Bytes> unpackRunLength(const Bytes& packed) {
    if (packed.size() < kHeaderSize || !std::equal(kMagic, kMagic + 4, packed.begin()))
        return std::nullopt;
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i)
        size |= static_cast<std::uint32_t>(packed[4 + static_cast<std::size_t>(i)]) << (8 * i);

    // A size the data cannot reach marks a damaged file; refusing it here
    // also keeps a forged header from reserving up to 4 GiB.
    if (size > mostUnpackedFrom(packed.size() - kHeaderSize)) return std::nullopt;

    Bytes out;
    out.reserve(size);
    std::size_t pos = kHeaderSize;
    while (pos < packed.size()) {
        const std::uint8_t control = packed[pos++];
        if (control < 128) {
            const std::size_t count = control + 1u;
            if (pos + count > packed.size()) return std::nullopt;
            out.insert(out.end(), packed.begin() + static_cast<std::ptrdiff_t>(pos),
                       packed.begin() + static_cast<std::ptrdiff_t>(pos + count));
            pos += count;
        } else if (control > 128) {
            if (pos >= packed.size()) return std::nullopt;
            out.insert(out.end(), 257u - control, packed[pos++]);
        }
        if (out.size() > size) return std::nullopt;
    }
    if (out.size() != size) return std::nullopt;
    return out;
}

Bytes packAsProgram(const Bytes& input) {
    const Bytes packed = packRunLength(input);
    Bytes program(kPayloadOffset, 0);
    const auto size = static_cast<std::uint32_t>(packed.size());
    writePs2ElfHeaders(program, {kPayloadOffset, kLoadAddress, size, size, kLoadAddress});
    program.insert(program.end(), packed.begin(), packed.end());
    return program;
}

std::optional<Bytes> unpackProgram(const Bytes& program) {
    if (program.size() < kPayloadOffset) return std::nullopt;
    return unpackRunLength(Bytes(program.begin() + kPayloadOffset, program.end()));
}

}  // namespace kelvane::tools
