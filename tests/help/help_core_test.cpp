#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/credits_scroll.h"
#include "help/credits_text.h"
#include "help/link_hover.h"
#include "help/readme_documents.h"
#include "help/web_addresses.h"

namespace kelvane {
namespace {

TEST(WebAddresses, AreFormedFromTheBareHostNames) {
    const std::string host = communityHost();
    ASSERT_FALSE(host.empty());
    EXPECT_EQ(host.find('/'), std::string::npos) << "host must not carry a scheme or path";
    EXPECT_EQ(communityHomePage(), "http://" + host);
    EXPECT_EQ(gameCompatibilityList(), "http://" + host + "/hdl_list.php");

    const std::string fontHost = fontBuilderHost();
    ASSERT_FALSE(fontHost.empty());
    EXPECT_EQ(fontHost.find('/'), std::string::npos);
    EXPECT_EQ(fontBuilderPage(), "http://" + fontHost + "/bitmapfontbuilder");
}

TEST(ReadmePaths, AreTheProgramDirectoryFollowedByTheDocumentPath) {
    const ProgramDirectory kit("C:\\Kit", '\\');
    EXPECT_EQ(readmePath(kit, ReadmeDocument::HdlPatch), "C:\\Kit\\README\\HDL PATCH README.txt");
    EXPECT_EQ(readmePath(kit, ReadmeDocument::PackerV03),
              "C:\\Kit\\README\\PS2Packer 0.3 README.txt");
    EXPECT_EQ(readmePath(kit, ReadmeDocument::PackerV04),
              "C:\\Kit\\README\\PS2Packer 0.4 README.txt");
}

TEST(ReadmePaths, KeepTheSeparatorOfADriveRootAndUseTheNativeSeparator) {
    EXPECT_EQ(readmePath(ProgramDirectory("C:\\", '\\'), ReadmeDocument::HdlPatch),
              "C:\\\\README\\HDL PATCH README.txt");
    EXPECT_EQ(readmePath(ProgramDirectory("/opt/kelvane kit", '/'), ReadmeDocument::PackerV04),
              "/opt/kelvane kit/README/PS2Packer 0.4 README.txt");
}

LinkColours moveOver(std::initializer_list<HoverSurface> path, LinkColours start = {}) {
    for (HoverSurface surface : path) start = afterMouseMove(start, surface);
    return start;
}

constexpr auto Rest = LinkColour::AtRest;
constexpr auto Red = LinkColour::UnderMouse;

TEST(LinkHover, EachLabelTurnsRedOnlyUnderTheMouse) {
    EXPECT_EQ(moveOver({HoverSurface::Label2}), (LinkColours{Red, Rest}));
    EXPECT_EQ(moveOver({HoverSurface::Label3}), (LinkColours{Rest, Red}));
    EXPECT_EQ(moveOver({HoverSurface::Label2, HoverSurface::Label3}), (LinkColours{Red, Red}));
}

TEST(LinkHover, TheWindowSurfaceResetsBothLabels) {
    EXPECT_EQ(moveOver({HoverSurface::WindowSurface}, {Red, Red}), (LinkColours{Rest, Rest}));
    EXPECT_EQ(moveOver({HoverSurface::WindowSurface}, {}), (LinkColours{Rest, Rest}));
}

TEST(LinkHover, TheTwoFramesResetOnlyTheFontBuilderLink) {
    for (HoverSurface frame : {HoverSurface::Frame6, HoverSurface::Frame9}) {
        EXPECT_EQ(moveOver({frame}, {Red, Red}), (LinkColours{Red, Rest}));
    }
}

TEST(LinkHover, ALabelStaysRedUntilAResettingSurfaceIsCrossed) {
    // Leaving a label onto another control is no event at all: it stays red
    // through repeated movements over itself and other labels.
    LinkColours colours = moveOver({HoverSurface::Label3, HoverSurface::Label3});
    colours = moveOver({HoverSurface::Label2}, colours);
    EXPECT_EQ(colours, (LinkColours{Red, Red}));
    colours = moveOver({HoverSurface::Frame9}, colours);
    EXPECT_EQ(colours, (LinkColours{Red, Rest}));
    colours = moveOver({HoverSurface::WindowSurface}, colours);
    EXPECT_EQ(colours, (LinkColours{Rest, Rest}));
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
    EXPECT_EQ(text.substr(text.size() - 7), " - 2004");
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break";
    }
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
        ASSERT_GT(line.size(), 10 + ending.size()) << "a person must be named: " << line;
        EXPECT_EQ(line.substr(line.size() - ending.size()), ending) << line;
    }
    EXPECT_EQ(lines[13].front(), ' ');
    EXPECT_GT(lines[13].size(), std::string(" - 2004").size() + 1);
}

TEST(CreditsScroll, FirstRestartHappensOnTick1552) {
    CreditsScroll scroll;
    EXPECT_EQ(scroll.top(), 1400);
    for (int i = 0; i < 1551; ++i) scroll.tick();
    EXPECT_EQ(scroll.top(), -3253);
    scroll.tick();
    EXPECT_EQ(scroll.top(), 1700);
}

TEST(CreditsScroll, LaterCyclesTake1652TicksFromTheRestartTop) {
    CreditsScroll scroll;
    for (int i = 0; i < 1552; ++i) scroll.tick();
    for (int cycle = 0; cycle < 3; ++cycle) {
        ASSERT_EQ(scroll.top(), 1700);
        int ticks = 0;
        do {
            scroll.tick();
            ++ticks;
        } while (scroll.top() != 1700 && ticks < 5000);
        EXPECT_EQ(ticks, 1652);
    }
}

TEST(CreditsScroll, MovesOneDotEveryFifthTickAlsoAboveTheBand) {
    EXPECT_EQ(twipsToPixels(1400), 93);
    EXPECT_EQ(twipsToPixels(0), 0);
    EXPECT_EQ(twipsToPixels(-1), -1);
    EXPECT_EQ(twipsToPixels(-15), -1);
    EXPECT_EQ(twipsToPixels(-16), -2);

    // Across a whole cycle the drawn position never jumps more than one dot
    // and never stands still for more than five ticks (no doubled step
    // around zero).
    CreditsScroll scroll;
    for (int i = 0; i < 1552; ++i) scroll.tick();
    int previous = scroll.topPixels();
    int still = 0;
    for (int i = 0; i < 1651; ++i) {
        scroll.tick();
        const int now = scroll.topPixels();
        EXPECT_LE(previous - now, 1);
        EXPECT_GE(previous - now, 0);
        still = (now == previous) ? still + 1 : 0;
        EXPECT_LT(still, 5) << "at top " << scroll.top();
        previous = now;
    }
}

}  // namespace
}  // namespace kelvane
