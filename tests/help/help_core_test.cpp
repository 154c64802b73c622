#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "help/credits_scroll.h"
#include "help/credits_text.h"
#include "help/readme_documents.h"
#include "help/web_addresses.h"

namespace kelvane {
namespace {

TEST(HelpAddresses, PagesComeFromBareHostNamesAndReadmesFollowTheProgramDirectory) {
    const std::string host = communityHost(), fontHost = fontBuilderHost();
    ASSERT_FALSE(host.empty() || fontHost.empty());
    EXPECT_EQ((host + fontHost).find('/'), std::string::npos) << "no scheme or path in a host";
    EXPECT_EQ(communityHomePage(), "http://" + host);
    EXPECT_EQ(gameCompatibilityList(), "http://" + host + "/hdl_list.php");
    EXPECT_EQ(fontBuilderPage(), "http://" + fontHost + "/bitmapfontbuilder");
    // Untrimmed, with the directory's own separator.
    EXPECT_EQ(readmePath(ProgramDirectory("C:\\", '\\'), ReadmeDocument::PackerV04),
              "C:\\\\README\\PS2Packer 0.4 README.txt");
    EXPECT_EQ(readmePath(ProgramDirectory("/opt/kelvane kit", '/'), ReadmeDocument::HdlPatch),
              "/opt/kelvane kit/README/HDL PATCH README.txt");
}

TEST(CreditsText, HasFourteenLinesJoinedWithCrLfAndNoneAtTheEnd) {
    // "." stops at CR and LF, so each ".+" is a name on its own line.
    const std::regex credits(
        "HDLoader/HDAdvance KELVANE ver\\.2\\.0\r\n\r\n\r\nGreetings:\r\n\r\n"
        "Thanks to .+ for his HDLPatch\r\n"
        "Thanks to .+ for various HDLoader hacks and fixes\r\n"
        "Thanks to .+ for the 48bit patch\r\n"
        "Thanks to .+ for his ps2packer\r\n\r\n"
        "Enjoy your HDLoader with 48-bit lba support :-\\)\r\n\r\n\r\n"
        " .+ - 2004");
    EXPECT_TRUE(std::regex_match(creditsText(), credits)) << creditsText();
}

TEST(CreditsScroll, RestartsOnTick1552ThenEvery1652TicksMovingOneDotPerFiveTicks) {
    EXPECT_EQ(twipsToPixels(-16), -2);
    CreditsScroll scroll;
    // No doubled pause around zero: each drawn position lasts five ticks.
    for (int i = 0; i < 1550; i += 5) {
        const int before = scroll.topPixels();
        for (int k = 0; k < 5; ++k) scroll.tick();
        ASSERT_EQ(scroll.topPixels(), before - 1) << "at top " << scroll.top();
    }
    scroll.tick();
    EXPECT_EQ(scroll.top(), -3253);
    scroll.tick();
    EXPECT_EQ(scroll.top(), 1700);
    for (int cycle = 0; cycle < 2; ++cycle) {
        int ticks = 1;
        for (scroll.tick(); ticks < 5000 && scroll.top() != 1700; ++ticks) scroll.tick();
        EXPECT_EQ(ticks, 1652);
    }
}

}  // namespace
}  // namespace kelvane
