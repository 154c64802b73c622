#include <gtest/gtest.h>

#include "app/startup.h"
#include "core/form_state.h"
#include "core/tool_paths.h"

namespace kelvane {
namespace {

// The program directory is used as it stands: a drive root that already
// ends in a separator keeps it, and one more is appended.
TEST(StartupPaths, AreFormedWithTheNativeSeparatorAndNothingTrimmed) {
    const struct {
        const char* directory;
        char separator;
        const char *output, *packed, *hdlpatch;
    } rows[] = {
        {"C:\\Kit", '\\', "C:\\Kit\\OUTFILE.ELF", "C:\\Kit\\PACKED_OUTFILE.ELF",
         "C:\\Kit\\tools\\hdlpatch.exe"},
        {"C:\\", '\\', "C:\\\\OUTFILE.ELF", "C:\\\\PACKED_OUTFILE.ELF",
         "C:\\\\tools\\hdlpatch.exe"},
        {"/opt/kelvane kit", '/', "/opt/kelvane kit/OUTFILE.ELF",
         "/opt/kelvane kit/PACKED_OUTFILE.ELF", "/opt/kelvane kit/tools/hdlpatch.exe"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.directory);
        FormState state;
        const ProgramDirectory dir(row.directory, row.separator);
        applyStartup(state, dir);
        EXPECT_EQ(state.Text2, row.output);
        EXPECT_EQ(state.textpacked, row.packed);
        EXPECT_EQ(hdlpatchPath(dir), row.hdlpatch);
    }
}

}  // namespace
}  // namespace kelvane
