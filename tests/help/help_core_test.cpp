#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/credits_scroll.h"
#include "help/credits_text.h"
#include "help/readme_documents.h"
#include "help/web_addresses.h"

namespace kelvane {
namespace {

TEST(WebAddresses, AreFormedFromTheBareHostNames) {
    const std::string host = communityHost();
    const std::string fontHost = fontBuilderHost();
    ASSERT_FALSE(host.empty());
    ASSERT_FALSE(fontHost.empty());
    EXPECT_EQ((host + fontHost).find('/'), std::string::npos) << "no scheme or path in a host";
    EXPECT_EQ(communityHomePage(), "http://" + host);
    EXPECT_EQ(gameCompatibilityList(), "http://" + host + "/hdl_list.php");
    EXPECT_EQ(fontBuilderPage(), "http://" + fontHost + "/bitmapfontbuilder");
}

TEST(ReadmePaths, FollowTheProgramDirectoryUntrimmedWithItsSeparator) {
    const ProgramDirectory kit("C:\\Kit", '\\');
    EXPECT_EQ(readmePath(kit, ReadmeDocument::HdlPatch), "C:\\Kit\\README\\HDL PATCH README.txt");
    EXPECT_EQ(readmePath(kit, ReadmeDocument::PackerV03),
              "C:\\Kit\\README\\PS2Packer 0.3 README.txt");
    EXPECT_EQ(readmePath(ProgramDirectory("C:\\", '\\'), ReadmeDocument::PackerV04),
              "C:\\\\README\\PS2Packer 0.4 README.txt");
    EXPECT_EQ(readmePath(ProgramDirectory("/opt/kelvane kit", '/'), ReadmeDocument::PackerV04),
              "/opt/kelvane kit/README/PS2Packer 0.4 README.txt");
}

TEST(CreditsText, HasFourteenLinesJoinedWithCrLfAndNoneAtTheEnd) {
    const std::string text = creditsText();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
        lines.push_back(text.substr(start, at - start));
    }
    lines.push_back(text.substr(start));

    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "HDLoader/HDAdvance KELVANE ver.2.0");
    for (int empty : {2, 3, 5, 10, 12, 13}) EXPECT_EQ(lines[empty - 1], "") << "line " << empty;
    EXPECT_EQ(lines[3], "Greetings:");
    EXPECT_EQ(lines[10], "Enjoy your HDLoader with 48-bit lba support :-)");
    const std::pair<int, std::string> thanks[] = {{6, " for his HDLPatch"},
                                                  {7, " for various HDLoader hacks and fixes"},
                                                  {8, " for the 48bit patch"},
                                                  {9, " for his ps2packer"}};
    for (const auto& [number, ending] : thanks) {
        const std::string& line = lines[number - 1];
        EXPECT_EQ(line.rfind("Thanks to ", 0), 0u) << line;
        ASSERT_GT(line.size(), 10 + ending.size()) << "nobody named: " << line;
        EXPECT_EQ(line.substr(line.size() - ending.size()), ending) << line;
    }
    EXPECT_EQ(lines[13].front(), ' ');
    EXPECT_EQ(lines[13].substr(lines[13].size() - 7), " - 2004");
}

TEST(CreditsScroll, RestartsOnTick1552AndThenEvery1652Ticks) {
    CreditsScroll scroll;
    EXPECT_EQ(scroll.top(), 1400);
    for (int i = 0; i < 1551; ++i) scroll.tick();
    EXPECT_EQ(scroll.top(), -3253);
    scroll.tick();
    EXPECT_EQ(scroll.top(), 1700);
    for (int cycle = 0; cycle < 2; ++cycle) {
        int ticks = 0;
        do {
            scroll.tick();
        } while (++ticks < 5000 && scroll.top() != 1700);
        EXPECT_EQ(ticks, 1652);
    }
}

TEST(CreditsScroll, DrawnPositionMovesOneDotEveryFifthTickAlsoAboveTheBand) {
    EXPECT_EQ(twipsToPixels(1400), 93);
    EXPECT_EQ(twipsToPixels(-16), -2);
    // No doubled pause around zero: each drawn position lasts five ticks.
    CreditsScroll scroll;
    for (int i = 0; i < 1550; i += 5) {
        const int before = scroll.topPixels();
        for (int k = 0; k < 5; ++k) scroll.tick();
        ASSERT_EQ(scroll.topPixels(), before - 1) << "at top " << scroll.top();
    }
}

}  // namespace
}  // namespace kelvane
