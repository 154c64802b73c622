#include <gtest/gtest.h>

#include "app/startup.h"
#include "core/form_state.h"
#include "core/tool_paths.h"

namespace kelvane {
namespace {

struct PathCase {
    const char* name;
    const char* directory;
    char separator;
    const char* output;
    const char* packed;
    const char* hdlpatch;
};

class StartupPaths : public ::testing::TestWithParam<PathCase> {};

// The program directory is used as it stands: a drive or file-system root
// that already ends in a separator keeps it, and one more is appended.
TEST_P(StartupPaths, AreFormedWithTheNativeSeparatorAndNothingTrimmed) {
    const PathCase& c = GetParam();
    FormState state;
    const ProgramDirectory dir(c.directory, c.separator);
    applyStartup(state, dir);
    EXPECT_EQ(state.Text2, c.output);
    EXPECT_EQ(state.textpacked, c.packed);
    EXPECT_EQ(hdlpatchPath(dir), c.hdlpatch);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartupPaths,
    ::testing::Values(PathCase{"WindowsFolder", "C:\\Kit", '\\', "C:\\Kit\\OUTFILE.ELF",
                               "C:\\Kit\\PACKED_OUTFILE.ELF", "C:\\Kit\\tools\\hdlpatch.exe"},
                      PathCase{"DriveRoot", "C:\\", '\\', "C:\\\\OUTFILE.ELF",
                               "C:\\\\PACKED_OUTFILE.ELF", "C:\\\\tools\\hdlpatch.exe"},
                      PathCase{"LinuxFolderWithBlank", "/opt/kelvane kit", '/',
                               "/opt/kelvane kit/OUTFILE.ELF",
                               "/opt/kelvane kit/PACKED_OUTFILE.ELF",
                               "/opt/kelvane kit/tools/hdlpatch.exe"},
                      PathCase{"FileSystemRoot", "/", '/', "//OUTFILE.ELF", "//PACKED_OUTFILE.ELF",
                               "//tools/hdlpatch.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvane
