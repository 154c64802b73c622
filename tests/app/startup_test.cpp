#include <gtest/gtest.h>

#include "app/form_state.h"
#include "app/startup.h"
#include "patch/tool_paths.h"

namespace kelvane {
namespace {

TEST(Startup, CaptionAndPanelsShowNameAndVersion) {
    const StartupTexts texts = startupTexts();
    EXPECT_EQ(texts.caption, "HDL/HDA Kelvane GUI  ver. 2.0");
    EXPECT_EQ(texts.panel2, "HDL/HDA QRX 2.0");
    EXPECT_EQ(texts.panel1, "Please load HDL/HDA (unpacked)");
}

TEST(Startup, StateAtStartHasNoChoicesAndBothOutputPaths) {
    FormState state;
    applyStartup(state, ProgramDirectory("C:\\Kit", '\\'));

    EXPECT_EQ(state.Text2, "C:\\Kit\\OUTFILE.ELF");
    EXPECT_EQ(state.textpacked, "C:\\Kit\\PACKED_OUTFILE.ELF");
    EXPECT_EQ(state.text13, "OUTFILE.ELF");
    EXPECT_EQ(state.openelf, "");
    EXPECT_FALSE(state.elflen.has_value());
    for (const std::string* fragment :
         {&state.uno, &state.due, &state.tre, &state.quattro, &state.cinque, &state.sei, &state.Dx,
          &state.Text4, &state.Text1, &state.Text9, &state.Text10, &state.pulsanti, &state.colors})
        EXPECT_EQ(*fragment, "");
    EXPECT_EQ(state.textxhex, "00");
    EXPECT_EQ(state.textyhex, "00");
    EXPECT_TRUE(state.CommonDialog1.empty());
}

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
