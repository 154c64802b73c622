#include "patch/ps2_program_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "core/utf8_path.h"
#include "platform/files/file_identity.h"

namespace kelvane {
namespace {

constexpr std::size_t kIdentSize = 16;
constexpr std::size_t kHeader32Size = 52;
constexpr std::size_t kProgramHeader32Size = 32;
constexpr unsigned kMachineMips = 8;
constexpr unsigned kTypeExecutable = 2;
constexpr std::uint32_t kSegmentLoad = 1;

// Reads the little- or big-endian fields of the header.
class Fields {
  public:
    Fields(const unsigned char* bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}
    std::uint32_t u16(std::size_t at) const { return value(at, 2); }
    std::uint32_t u32(std::size_t at) const { return value(at, 4); }

  private:
    std::uint32_t value(std::size_t at, int width) const {
        std::uint32_t v = 0;
        for (int i = 0; i < width; ++i) {
            const std::uint32_t byte = bytes_[at + std::size_t(bigEndian_ ? i : width - 1 - i)];
            v = (v << 8) | byte;
        }
        return v;
    }
    const unsigned char* bytes_;
    bool bigEndian_;
};

std::string machineName(std::uint32_t machine) {
    struct Named {
        std::uint32_t machine;
        const char* name;
    };
    static constexpr Named kNames[] = {
        {2, "SPARC"},   {3, "x86"},      {20, "PowerPC"},    {21, "64-bit PowerPC"},
        {22, "S/390"},  {40, "ARM"},     {43, "SPARC V9"},   {62, "x86-64"},
        {183, "ARM64"}, {243, "RISC-V"}, {258, "LoongArch"},
    };
    for (const Named& n : kNames)
        if (n.machine == machine) return n.name;
    return "machine type " + std::to_string(machine);
}

// Text in any 8-bit encoding: no NUL and no control characters but the usual
// white space (and escape, for coloured output).
bool looksLikeText(const unsigned char* head, std::size_t size) {
    return std::all_of(head, head + size, [](unsigned char c) {
        return c >= 0x20
                   ? c != 0x7F
                   : c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == 0x1B;
    });
}

std::string notAnElf(const unsigned char* head, std::size_t size) {
    constexpr std::string_view kMagic(
        "\x7F"
        "ELF",
        4);
    if (size < kMagic.size() && std::equal(head, head + size, kMagic.begin()))
        return "an ELF file whose header is cut off";
    if (size >= 2 && head[0] == 'M' && head[1] == 'Z') return "a Windows program";
    if (looksLikeText(head, size)) return "a text file";
    return "not an ELF file";
}

std::string hex(std::uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", unsigned(value));
    return text;
}

}  // namespace

std::optional<std::string> describeNonPs2Program(const unsigned char* head, std::size_t headSize,
                                                 std::uint64_t fileSize) {
    headSize = std::min<std::uint64_t>({headSize, fileSize, kPs2ProgramHeadSize});
    if (fileSize == 0) return "empty";
    if (headSize < 4 || head[0] != 0x7F || head[1] != 'E' || head[2] != 'L' || head[3] != 'F')
        return notAnElf(head, headSize);
    if (headSize < 20) return "an ELF file whose header is cut off";

    const unsigned char byteOrder = head[5];
    if (byteOrder != 1 && byteOrder != 2) return "an ELF file of unknown byte order";
    const Fields f(head, byteOrder == 2);
    const std::uint32_t machine = f.u16(18);
    if (machine != kMachineMips) return "an ELF for " + machineName(machine);
    if (head[4] == 2) return "a 64-bit ELF for MIPS";
    if (head[4] != 1) return "an ELF file of unknown class";
    if (byteOrder == 2) return "a big-endian ELF for MIPS";
    if (headSize < kHeader32Size) return "an ELF file whose header is cut off";

    switch (const std::uint32_t type = f.u16(16)) {
        case kTypeExecutable:
            break;
        case 1:
            return "an object file for MIPS, not an executable";
        case 3:
            return "a shared library for MIPS, not an executable";
        case 4:
            return "a core dump";
        default:
            return "an ELF file of type " + std::to_string(type) + " for MIPS, not an executable";
    }

    const std::uint32_t entry = f.u32(24);
    const std::uint64_t tableAt = f.u32(28);
    const std::uint32_t entrySize = f.u16(42);
    const std::uint32_t count = f.u16(44);
    if (count == 0) return "a MIPS executable without program headers";
    if (entrySize < kProgramHeader32Size) return "a MIPS executable with malformed program headers";
    const std::uint64_t tableEnd = tableAt + std::uint64_t(count) * entrySize;
    if (tableEnd > fileSize)
        return "a MIPS executable whose program headers lie past the end of the file";
    if (tableEnd > headSize)
        return "a MIPS executable whose program headers lie too far into the file to be checked";

    bool entryLoaded = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = std::size_t(tableAt) + std::size_t(i) * entrySize;
        if (f.u32(at) != kSegmentLoad) continue;
        const std::uint64_t offset = f.u32(at + 4), vaddr = f.u32(at + 8);
        const std::uint64_t fileBytes = f.u32(at + 16), memoryBytes = f.u32(at + 20);
        if (offset + fileBytes > fileSize)
            return "a MIPS executable cut off inside a loadable segment";
        if (entry >= vaddr && entry < vaddr + memoryBytes) entryLoaded = true;
    }
    if (!entryLoaded)
        return "a MIPS executable whose entry point " + hex(entry) + " lies in no loadable segment";
    return std::nullopt;
}

std::optional<std::string> notAPs2Program(const std::string& path) {
    switch (fileKind(path)) {
        case FileKind::Regular:
            break;
        case FileKind::Missing:
            return "missing";
        case FileKind::Directory:
            return "a folder";
        case FileKind::Other:
            return "not a regular file";
    }
    const std::filesystem::path file = pathFromUtf8(path);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    std::ifstream in(file, std::ios::binary);
    if (error || !in) return "unreadable";
    unsigned char head[kPs2ProgramHeadSize];
    in.read(reinterpret_cast<char*>(head), sizeof head);
    if (in.bad()) return "unreadable";
    return describeNonPs2Program(head, std::size_t(in.gcount()), size);
}

}  // namespace kelvane
