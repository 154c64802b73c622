// Start-up paths, the Open decision and the preview clean-up, without widgets.

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "app/open_loader.h"
#include "app/preview_cleanup.h"
#include "app/startup.h"
#include "core/form_state.h"
#include "core/graphics_set.h"
#include "support/scratch_dir.h"

namespace kelvane {
namespace {

// The program directory is used as it stands: a drive root that already
// ends in a separator keeps it, and one more is appended.
TEST(StartupPaths, AreFormedWithTheNativeSeparatorAndNothingTrimmed) {
    const struct {
        const char* directory;
        char separator;
        const char *output, *packed;
    } rows[] = {
        {"C:\\", '\\', "C:\\\\OUTFILE.ELF", "C:\\\\PACKED_OUTFILE.ELF"},
        {"/opt/kelvane kit", '/', "/opt/kelvane kit/OUTFILE.ELF",
         "/opt/kelvane kit/PACKED_OUTFILE.ELF"},
    };
    for (const auto& row : rows) {
        FormState state;
        applyStartup(state, ProgramDirectory(row.directory, row.separator));
        EXPECT_EQ(state.Text2, row.output) << row.directory;
        EXPECT_EQ(state.textpacked, row.packed) << row.directory;
    }
}

// Files known by size; any other path cannot be measured.
class OpenLoaderTest : public ::testing::Test {
  protected:
    OpenLoaderOutcome choose(const std::string& path, const std::string& name) {
        return openLoader(state, RememberedChoice{name, path}, probe());
    }
    OpenLoaderOutcome cancel() { return openLoader(state, std::nullopt, probe()); }

    FileSizeProbe probe() {
        return [this](const std::string& path) -> std::optional<std::uint64_t> {
            const auto it = sizes.find(path);
            return it == sizes.end() ? std::nullopt : std::optional(it->second);
        };
    }

    static void expectAccepted(const OpenLoaderOutcome& outcome, const std::string& name) {
        EXPECT_TRUE(outcome.accepted && outcome.icon == MessageIcon::Information);
        EXPECT_EQ(outcome.statusMessage, "Loaded: " + name);
    }
    static void expectRejected(const OpenLoaderOutcome& outcome) {
        EXPECT_FALSE(outcome.accepted || outcome.icon != MessageIcon::Error);
    }

    FormState state;
    std::map<std::string, std::uint64_t> sizes;
};

// Only the exact size counts, whatever the name; a rejected file never
// replaces the loaded one, though it becomes the remembered choice, which a
// cancel judges again (before any choice, a cancel is rejected).
TEST_F(OpenLoaderTest, OnlyTheExactSizeIsAcceptedAndARejectionKeepsTheLoadedFile) {
    expectRejected(cancel());
    sizes = {{"/in/long.ELF", 2977793}, {"/in/notes.txt", 2977792}, {"/in/short.ELF", 2977791}};
    expectRejected(choose("/in/long.ELF", "long.ELF"));
    EXPECT_EQ(state.elflen, 2977793u);
    EXPECT_EQ(state.openelf, "");

    expectAccepted(choose("/in/notes.txt", "notes.txt"), "notes.txt");
    expectAccepted(cancel(), "notes.txt");
    EXPECT_EQ(state.openelf, "/in/notes.txt");

    expectRejected(choose("/in/short.ELF", "short.ELF"));
    EXPECT_EQ(state.elflen, 2977791u);
    EXPECT_EQ(state.openelf, "/in/notes.txt");
    // A cancel now measures the rejected file, not the loaded one.
    expectRejected(cancel());
    EXPECT_EQ(state.CommonDialog1.fullPath, "/in/short.ELF");
}

// A choice that cannot be measured must not pass on the size measured for
// the file before it.
TEST_F(OpenLoaderTest, UnmeasurableChoiceIsRejectedNotJudgedByAnEarlierSize) {
    sizes["/in/A.ELF"] = 2977792;
    choose("/in/A.ELF", "A.ELF");
    expectRejected(choose("/in/gone.ELF", "gone.ELF"));
    EXPECT_FALSE(state.elflen.has_value());
    EXPECT_EQ(state.openelf, "/in/A.ELF");

    // The accepted file itself vanishing is caught the same way on a cancel.
    choose("/in/A.ELF", "A.ELF");
    sizes.erase("/in/A.ELF");
    expectRejected(cancel());
}

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

// A link inside goes but its target stays, a link to a folder is not followed,
// and a preview directory that is itself a link is not cleaned through.
TEST_F(PreviewCleanupTest, LinksAreRemovedOrLeftButNeverFollowed) {
    fs::create_directories(preview);
    write(root / "precious.bmp", "keep me");
    if (!makeLink(root / "precious.bmp", preview / "hdl_main.bmp"))
        GTEST_SKIP() << "symbolic links cannot be made on this system";
    const fs::path outside = root / "outside";
    writeGraphicsSet(outside);
    ASSERT_TRUE(makeLink(outside, preview / "hdl_font.dat"));
    cleanUp();
    EXPECT_FALSE(fs::exists(fs::symlink_status(preview / "hdl_main.bmp")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(preview / "hdl_font.dat")));
    EXPECT_TRUE(fs::exists(root / "precious.bmp") && fs::file_size(root / "precious.bmp") == 7);
    EXPECT_FALSE(fs::exists(preview));

    ASSERT_TRUE(makeLink(outside, preview));
    cleanUp();
    for (const char* name : kGraphicsSetFiles) EXPECT_TRUE(fs::exists(outside / name)) << name;
    EXPECT_TRUE(fs::is_symlink(preview));
}

}  // namespace
}  // namespace kelvane
