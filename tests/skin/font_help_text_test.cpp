#include "skin/font_help_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

TEST(FontHelpText, TwelveLinesJoinedByCrLfWithNoneAtTheEnd) {
    const std::string text = fontInstructions();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t cut; (cut = text.find("\r\n", start)) != std::string::npos; start = cut + 2)
        lines.push_back(text.substr(start, cut - start));
    lines.push_back(text.substr(start));

    ASSERT_EQ(lines.size(), 12u);
    EXPECT_FALSE(text.ends_with("\n"));
    // No lone CR or LF hides inside a line.
    for (const auto& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(lines[0], "Use Bitmap Font Builder to create the needed BMP and DAT files");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Texture Size......: 256x256");
    EXPECT_EQ(lines[4], "Background.......: 1 1 1");
    EXPECT_EQ(lines[5], "Foreground........: 128 128 128");
    EXPECT_EQ(lines[6], "Font Alignment...: Left");
    EXPECT_EQ(lines[7], "Font Smoothing..: Disable");
    EXPECT_EQ(lines[8], "Character Set.....: Full ASCII");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[11], "the same filename (fontfile.bmp + fontfile.dat).");
}

TEST(FontHelpText, LabelKeepsItsSpelling) {
    EXPECT_EQ(kFontWindowLabel,
              "BMP + DAT font files must be in the same directoy of this program");
    EXPECT_EQ(kFontWindowCaption, "Change HDL/HDA Fonts");
}

}  // namespace
}  // namespace kelvane
