#include <gtest/gtest.h>

#include "app/startup.h"
#include "core/form_state.h"
#include "core/tool_paths.h"

namespace kelvane {
namespace {

struct PathCase {
    const char* directory;
    char separator;
    const char* output;
    const char* packed;
    const char* hdlpatch;
};

// The program directory is used as it stands: a drive or file-system root
// that already ends in a separator keeps it, and one more is appended.
TEST(Startup, PathsAreFormedWithTheNativeSeparatorAndNothingTrimmed) {
    const PathCase cases[] = {
        {"C:\\Kit", '\\', "C:\\Kit\\OUTFILE.ELF", "C:\\Kit\\PACKED_OUTFILE.ELF",
         "C:\\Kit\\tools\\hdlpatch.exe"},
        {"C:\\", '\\', "C:\\\\OUTFILE.ELF", "C:\\\\PACKED_OUTFILE.ELF",
         "C:\\\\tools\\hdlpatch.exe"},
        {"/opt/kelvane kit", '/', "/opt/kelvane kit/OUTFILE.ELF",
         "/opt/kelvane kit/PACKED_OUTFILE.ELF", "/opt/kelvane kit/tools/hdlpatch.exe"},
        {"/", '/', "//OUTFILE.ELF", "//PACKED_OUTFILE.ELF", "//tools/hdlpatch.exe"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.directory);
        FormState state;
        const ProgramDirectory dir(c.directory, c.separator);
        applyStartup(state, dir);
        EXPECT_EQ(state.Text2, c.output);
        EXPECT_EQ(state.textpacked, c.packed);
        EXPECT_EQ(hdlpatchPath(dir), c.hdlpatch);
    }
}

}  // namespace
}  // namespace kelvane
