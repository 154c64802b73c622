#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/files/file_identity.h"
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
        // Refused by Windows without the privilege to make links, and by Wine.
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

// Decided by the file, not by the path text, and the same either way round.
// Rows through symbolic links are left out where links cannot be made.
TEST_F(FileIdentityTest, SameFileIsDecidedByTheFileNotByThePathText) {
    const struct {
        const char *a, *b;
        bool same, needsLinks = false;
    } rows[] = {
        {"HARD.ELF", "loader.elf", true},
        {"soft.elf", "loader.elf", true, true},
        {"sub/../loader.elf", "loader.elf", true},
        {"other.elf", "loader.elf", false},
        {"new.elf", "loader.elf", false},
        {"sub/../new.elf", "new.elf", true},
        {"linked/new.elf", "sub/new.elf", true, true},
        {"a.elf", "b.elf", false},
    };
    for (const auto& row : rows) {
        if (row.needsLinks && !links) continue;
        EXPECT_EQ(sameFile(at(row.a), at(row.b)), row.same) << row.a << " " << row.b;
        EXPECT_EQ(sameFile(at(row.b), at(row.a)), row.same) << row.b << " " << row.a;
    }
}

// Whether a run wrote its output is judged by the file, not only by its time:
// FAT keeps times in two-second steps, so a rewrite may keep the old time.
TEST_F(FileIdentityTest, WrittenDuringRunJudgesTheFileNotOnlyItsTime) {
    const std::string output = at("OUTFILE.ELF");
    write(output, "older output");
    const auto original = fs::last_write_time(output);
    const FileStamp before = stampBeforeRun(output);
    EXPECT_FALSE(writtenDuringRun(before, output));
    restoreModifiedTime(before, output);
    EXPECT_EQ(fs::last_write_time(output), original);
    write(output, "older output");
    fs::last_write_time(output, original);
    EXPECT_TRUE(writtenDuringRun(before, output));

    // Replaced by another file of the same size and time.
    const auto time = fs::last_write_time(at("other.elf"));
    const FileStamp replacedBefore = stampBeforeRun(at("other.elf"));
    fs::remove(at("other.elf"));
    fs::copy_file(at("loader.elf"), at("other.elf"));
    fs::last_write_time(at("other.elf"), time);
    EXPECT_TRUE(writtenDuringRun(replacedBefore, at("other.elf")));

    // Nothing, a folder or an empty file is not written; a new file with
    // content is.
    const FileStamp none = stampBeforeRun(at("out"));
    EXPECT_FALSE(writtenDuringRun(none, at("out")));
    fs::create_directory(at("out"));
    EXPECT_FALSE(writtenDuringRun(none, at("out")));
    fs::remove(at("out"));
    write(at("out"), "");
    EXPECT_FALSE(writtenDuringRun(none, at("out")));
    write(at("out"), "x");
    EXPECT_TRUE(writtenDuringRun(none, at("out")));
}

}  // namespace
}  // namespace kelvane
