#include "skin/graphics_extraction.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(GraphicsExtraction, CommandLineHoldsExactlyThreeWords) {
    const ProgramDirectory kit("C:\\Kit", '\\');
    EXPECT_EQ(graphicsExtractionCommandLine(kit, "D:\\PS2\\HDLOADER.ELF"),
              "\"C:\\Kit\\tools\\hdlpatch.exe\" /X \"D:\\PS2\\HDLOADER.ELF\"");

    const ProgramDirectory unix("/opt/my kit", '/');
    EXPECT_EQ(graphicsExtractionCommandLine(unix, "/home/u/PS2 games/HDLOADER.ELF"),
              "\"/opt/my kit/tools/hdlpatch.exe\" /X \"/home/u/PS2 games/HDLOADER.ELF\"");
}

TEST(GraphicsExtraction, PathsWithBlanksSurviveButQuotesDoNot) {
    const ProgramDirectory kit("C:\\My Kit", '\\');
    EXPECT_TRUE(extractionCommandLineIsFaithful(kit, "D:\\PS2 games\\HDLOADER.ELF"));
    EXPECT_TRUE(extractionCommandLineIsFaithful(ProgramDirectory("C:\\", '\\'), "C:\\a.ELF"));
    EXPECT_FALSE(extractionCommandLineIsFaithful(kit, "D:\\odd\"name.ELF"));
    EXPECT_FALSE(extractionCommandLineIsFaithful(ProgramDirectory("/tmp/a\"b", '/'), "/x.ELF"));
}

TEST(GraphicsExtraction, DirectoriesAndSuccessMessageUseTheSeparator) {
    const ProgramDirectory win("C:\\Kit", '\\');
    EXPECT_EQ(extractionDirectory(win), "C:\\Kit\\hdl_gfx");
    EXPECT_EQ(previewDirectory(win), "C:\\Kit\\hdl_gfx_tmp");
    EXPECT_EQ(graphicsExtractedMessage(win), "Graphics extracted into C:\\Kit\\hdl_gfx");

    const ProgramDirectory unix("/opt/kit", '/');
    EXPECT_EQ(graphicsExtractedMessage(unix), "Graphics extracted into /opt/kit/hdl_gfx");
    EXPECT_EQ(graphicsFilePath(previewDirectory(unix), '/', "hdl_main.bmp"),
              "/opt/kit/hdl_gfx_tmp/hdl_main.bmp");
}

TEST(GraphicsExtraction, FailureMessagesNameThePath) {
    EXPECT_NE(directoryNotMadeMessage("/k/hdl_gfx").find("/k/hdl_gfx"), std::string::npos);
    EXPECT_NE(toolNotStartedMessage("/k/tools/hdlpatch.exe", "No such file")
                  .find("/k/tools/hdlpatch.exe"),
              std::string::npos);
    const std::string missing =
        graphicsMissingMessage("/k/hdl_gfx", {"hdl_main.bmp", "hdl_font.dat"});
    EXPECT_NE(missing.find("/k/hdl_gfx"), std::string::npos);
    EXPECT_NE(missing.find("hdl_main.bmp\r\nhdl_font.dat"), std::string::npos);
}

}  // namespace
}  // namespace kelvane
