#include "skin/graphics_extraction.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(GraphicsExtraction, CommandLineIsThreeWordsThatSurviveTheToolsParser) {
    const ProgramDirectory kit("C:\\Kit", '\\');
    EXPECT_EQ(graphicsExtractionCommandLine(kit, "D:\\PS2\\HDLOADER.ELF"),
              "\"C:\\Kit\\tools\\hdlpatch.exe\" /X \"D:\\PS2\\HDLOADER.ELF\"");
    EXPECT_TRUE(extractionCommandLineIsFaithful(ProgramDirectory("C:\\My Kit", '\\'),
                                                "D:\\PS2 games\\HDLOADER.ELF"));
    EXPECT_TRUE(extractionCommandLineIsFaithful(ProgramDirectory("C:\\", '\\'), "C:\\a.ELF"));
    EXPECT_FALSE(extractionCommandLineIsFaithful(kit, "D:\\odd\"name.ELF"));
    EXPECT_FALSE(extractionCommandLineIsFaithful(ProgramDirectory("/a\"b", '/'), "/x.ELF"));
}

TEST(GraphicsExtraction, DirectoriesAndSuccessMessageUseThePlatformSeparator) {
    const ProgramDirectory win("C:\\Kit", '\\');
    EXPECT_EQ(previewDirectory(win), "C:\\Kit\\hdl_gfx_tmp");
    EXPECT_EQ(graphicsExtractedMessage(win), "Graphics extracted into C:\\Kit\\hdl_gfx");
    EXPECT_EQ(graphicsExtractedMessage(ProgramDirectory("/opt/kit", '/')),
              "Graphics extracted into /opt/kit/hdl_gfx");
}

}  // namespace
}  // namespace kelvane
