#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/ps2_elf.h"
#include "patch/ps2_program_check.h"
#include "support/scratch_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kelvane {
namespace {

using tools::Bytes;

// A small PS2 program: the headers, then a 64-byte segment at 0x100000 that
// holds the entry point.
Bytes program() {
    Bytes bytes(0x80 + 64, 0);
    tools::writePs2ElfHeaders(bytes, {0x80, 0x100000, 64, 64, 0x100010});
    return bytes;
}

void put16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
}
void put32(Bytes& b, std::size_t at, unsigned v) {
    put16(b, at, v & 0xFFFF), put16(b, at + 2, v >> 16);
}

std::optional<std::string> judge(const Bytes& bytes) {
    return describeNonPs2Program(bytes.data(), std::min(bytes.size(), kPs2ProgramHeadSize),
                                 bytes.size());
}

// Each row changes the small program (or replaces it) and says what the file
// is then; an empty answer means a PS2 program.
TEST(Ps2ProgramCheck, TellsWhatAFileIsWhenItIsNotAPs2Program) {
    const struct {
        const char* name;
        std::function<void(Bytes&)> change;
        std::string is;
    } rows[] = {
        {"Ps2Program", [](Bytes&) {}, ""},
        {"EntryAtTheSegmentsLastByte", [](Bytes& b) { put32(b, 24, 0x10003F); }, ""},
        {"Empty", [](Bytes& b) { b.clear(); }, "empty"},
        {"Text", [](Bytes& b) { b = {'#', '!', 's', 'h', '\n', '\t', 'x', 0xE9}; }, "a text file"},
        {"Binary", [](Bytes& b) { b[0] = 0; }, "not an ELF file"},
        {"CutInsideTheHeader", [](Bytes& b) { b.resize(40); },
         "an ELF file whose header is cut off"},
        {"X86_64", [](Bytes& b) { b[4] = 2, put16(b, 18, 62); }, "an ELF for x86-64"},
        {"Mips64", [](Bytes& b) { b[4] = 2; }, "a 64-bit ELF for MIPS"},
        {"BigEndianMips", [](Bytes& b) { b[5] = 2, b[18] = 0, b[19] = 8; },
         "a big-endian ELF for MIPS"},
        {"ObjectFile", [](Bytes& b) { put16(b, 16, 1); },
         "an object file for MIPS, not an executable"},
        {"NoProgramHeaders", [](Bytes& b) { put16(b, 44, 0); },
         "a MIPS executable without program headers"},
        {"ProgramHeadersPastTheEnd", [](Bytes& b) { b.resize(70); },
         "a MIPS executable whose program headers lie past the end of the file"},
        {"ProgramHeadersBeyondTheHead", [](Bytes& b) { b.resize(8192), put32(b, 28, 5000); },
         "a MIPS executable whose program headers lie too far into the file to be checked"},
        {"SegmentCutOff", [](Bytes& b) { b.resize(0x80 + 63); },
         "a MIPS executable cut off inside a loadable segment"},
        {"EntryPastTheSegment", [](Bytes& b) { put32(b, 24, 0x100040); },
         "a MIPS executable whose entry point 0x00100040 lies in no loadable segment"},
        {"EntryInASegmentThatIsNotLoaded", [](Bytes& b) { put32(b, 52, 4); },
         "a MIPS executable whose entry point 0x00100010 lies in no loadable segment"},
    };
    for (const auto& row : rows) {
        Bytes bytes = program();
        row.change(bytes);
        EXPECT_EQ(judge(bytes).value_or(""), row.is) << row.name;
    }
}

// Only a regular file is opened: a named pipe would block the caller. (Real
// programs are read by every run that checks its outputs.)
TEST(Ps2ProgramCheck, JudgesOnlyRegularFiles) {
    testing::ScratchDir dir("ps2 check ");
    const auto at = [&](const char* name) { return (dir.path / name).string(); };
    std::filesystem::create_directory(at("folder"));
    EXPECT_EQ(notAPs2Program(at("missing.elf")), "missing");
    EXPECT_EQ(notAPs2Program(at("folder")), "a folder");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    EXPECT_EQ(notAPs2Program(at("pipe")), "not a regular file");
#endif
}

}  // namespace
}  // namespace kelvane
