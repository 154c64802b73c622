#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/file_identity.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace kelvane {
namespace {

void write(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// A scratch folder with a loader, a hard link and a symbolic link to it,
// another file with the same bytes, a folder and a link to that folder.
class FileIdentityTest : public ::testing::Test {
  protected:
    FileIdentityTest() {
        fs::create_directories(dir / "sub");
        write(dir / "loader.elf", "ELF loader bytes");
        write(dir / "other.elf", "ELF loader bytes");
        fs::create_hard_link(dir / "loader.elf", dir / "HARD.ELF");
        // Windows without the privilege to make links, and Wine, refuse them.
        std::error_code refused;
        fs::create_symlink(dir / "loader.elf", dir / "soft.elf", refused);
        if (!refused) fs::create_directory_symlink(dir / "sub", dir / "linked", refused);
        links = !refused;
    }
    std::string at(const std::string& relative) const { return (dir / relative).string(); }

    testing::ScratchDir scratch{"file identity "};
    const fs::path dir = scratch.path;
    bool links = false;
};

constexpr const char* kNoLinks = "symbolic links cannot be made on this system";

struct SameFileCase {
    const char* name;
    const char* a;
    const char* b;
    bool same;
};

class SameFile : public FileIdentityTest, public ::testing::WithParamInterface<SameFileCase> {};

TEST_P(SameFile, DecidedByTheFileNotByThePathText) {
    const std::string paths = std::string(GetParam().a) + GetParam().b;
    if (!links &&
        (paths.find("soft") != std::string::npos || paths.find("linked") != std::string::npos))
        GTEST_SKIP() << kNoLinks;
    EXPECT_EQ(sameFile(at(GetParam().a), at(GetParam().b)), GetParam().same);
    EXPECT_EQ(sameFile(at(GetParam().b), at(GetParam().a)), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SameFile,
    ::testing::Values(SameFileCase{"HardLink", "HARD.ELF", "loader.elf", true},
                      SameFileCase{"SymbolicLink", "soft.elf", "loader.elf", true},
                      SameFileCase{"DotDot", "sub/../loader.elf", "loader.elf", true},
                      SameFileCase{"SameBytesOtherFile", "other.elf", "loader.elf", false},
                      SameFileCase{"NewFileBesideIt", "new.elf", "loader.elf", false},
                      SameFileCase{"OneNewFileSpelledTwice", "sub/../new.elf", "new.elf", true},
                      SameFileCase{"NewFileThroughALinkedFolder", "linked/new.elf", "sub/new.elf",
                                   true},
                      SameFileCase{"TwoNewFiles", "a.elf", "b.elf", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileIdentityTest, KindsOfWhatAPathNames) {
    EXPECT_EQ(fileKind(at("HARD.ELF")), FileKind::Regular);
    if (links) {
        EXPECT_EQ(fileKind(at("linked")), FileKind::Directory);
    }
    EXPECT_EQ(fileKind(at("sub")), FileKind::Directory);
    EXPECT_EQ(fileKind(at("missing")), FileKind::Missing);
#ifndef _WIN32  // no device files in a Windows file system
    EXPECT_EQ(fileKind("/dev/null"), FileKind::Other);
#endif
}

// File systems with two-second times (FAT) give a rewrite within the same two
// seconds the time the file had before; it must still count as written.
TEST_F(FileIdentityTest, ARewriteWithTheSameBytesAndTimeStillCountsAsWritten) {
    const std::string output = at("OUTFILE.ELF");
    write(output, "patched");
    const auto original = fs::last_write_time(output);
    const FileStamp before = stampBeforeRun(output);
    write(output, "patched");
    fs::last_write_time(output, original);
    EXPECT_TRUE(writtenDuringRun(before, output));
}

TEST_F(FileIdentityTest, AnUntouchedFileIsNotWrittenAndGetsItsTimeBack) {
    const std::string output = at("OUTFILE.ELF");
    write(output, "older output");
    const auto original = fs::last_write_time(output);
    const FileStamp before = stampBeforeRun(output);
    EXPECT_FALSE(writtenDuringRun(before, output));
    restoreIfUnwritten(before, output);
    EXPECT_EQ(fs::last_write_time(output), original);
    EXPECT_FALSE(writtenDuringRun(stampBeforeRun(at("none")), at("none")));
}

TEST_F(FileIdentityTest, OnlyARegularFileCountsAsWritten) {
    const FileStamp before = stampBeforeRun(at("out"));
    fs::create_directory(at("out"));
    EXPECT_FALSE(writtenDuringRun(before, at("out")));
    fs::remove(at("out"));
    write(at("out"), "");  // a new file, even empty, was written
    EXPECT_TRUE(writtenDuringRun(before, at("out")));
    // Replaced by another file of the same size and time.
    const auto time = fs::last_write_time(at("other.elf"));
    const FileStamp replacedBefore = stampBeforeRun(at("other.elf"));
    fs::remove(at("other.elf"));
    fs::copy_file(at("loader.elf"), at("other.elf"));
    fs::last_write_time(at("other.elf"), time);
    EXPECT_TRUE(writtenDuringRun(replacedBefore, at("other.elf")));
}

}  // namespace
}  // namespace kelvane
