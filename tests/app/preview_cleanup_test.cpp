#include "app/preview_cleanup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/graphics_set.h"
#include "support/scratch_dir.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

class PreviewCleanupTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(kit); }

    static void write(const fs::path& file, const std::string& text = "data") {
        std::ofstream(file) << text;
    }
    static void writeGraphicsSet(const fs::path& dir) {
        fs::create_directories(dir);
        for (const char* name : kGraphicsSetFiles) write(dir / name);
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void cleanUp() { cleanUpPreviewDirectory(ProgramDirectory(kit.string(), '/')); }

    testing::ScratchDir scratch{"kelvane_cleanup_"};
    const fs::path root = scratch.path, kit = root / "kit", preview = kit / "hdl_gfx_tmp";
};

// Only the preview's six files go; other files keep the directory, and once
// it is empty it goes too. The program's own graphics set next to it is never
// touched, with or without a preview.
TEST_F(PreviewCleanupTest, OnlyTheSixFilesGoAndThenTheEmptiedDirectory) {
    writeGraphicsSet(kit / "hdl_gfx");
    const fs::path before = fs::current_path();
    cleanUp();
    writeGraphicsSet(preview);
    write(preview / "mine.txt");
    fs::create_directory(preview / "sub");

    cleanUp();
    for (const char* name : kGraphicsSetFiles) EXPECT_FALSE(fs::exists(preview / name)) << name;
    EXPECT_TRUE(fs::exists(preview / "mine.txt"));
    EXPECT_TRUE(fs::is_directory(preview / "sub"));

    fs::remove_all(preview);
    writeGraphicsSet(preview);
    cleanUp();
    EXPECT_FALSE(fs::exists(preview));
    for (const char* name : kGraphicsSetFiles) EXPECT_TRUE(fs::exists(kit / "hdl_gfx" / name));
    EXPECT_EQ(fs::current_path(), before);
}

// False where the system refuses (Windows without the privilege, Wine).
bool makeLink(const fs::path& target, const fs::path& link) {
    std::error_code error;
    fs::is_directory(target) ? fs::create_directory_symlink(target, link, error)
                             : fs::create_symlink(target, link, error);
    return !error;
}

constexpr const char* kNoLinks = "symbolic links cannot be made on this system";

TEST_F(PreviewCleanupTest, ALinkInsideIsRemovedButItsTargetIsKept) {
    fs::create_directories(preview);
    write(root / "precious.bmp", "keep me");
    if (!makeLink(root / "precious.bmp", preview / "hdl_main.bmp")) GTEST_SKIP() << kNoLinks;
    fs::create_directory(root / "elsewhere");
    write(root / "elsewhere" / "hdl_font.dat", "keep me too");
    ASSERT_TRUE(makeLink(root / "elsewhere", preview / "hdl_font.dat"));

    cleanUp();

    EXPECT_FALSE(fs::exists(fs::symlink_status(preview / "hdl_main.bmp")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(preview / "hdl_font.dat")));
    EXPECT_EQ(read(root / "precious.bmp"), "keep me");
    EXPECT_EQ(read(root / "elsewhere" / "hdl_font.dat"), "keep me too");
    EXPECT_FALSE(fs::exists(preview));
}

TEST_F(PreviewCleanupTest, ALinkedPreviewDirectoryIsNotCleanedThrough) {
    const fs::path outside = root / "outside";
    writeGraphicsSet(outside);
    if (!makeLink(outside, preview)) GTEST_SKIP() << kNoLinks;

    cleanUp();

    for (const char* name : kGraphicsSetFiles) EXPECT_TRUE(fs::exists(outside / name)) << name;
    EXPECT_TRUE(fs::is_symlink(preview));
}

}  // namespace
}  // namespace kelvane
