#include "skin/colour_table.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

using S = ColourTableState;
using E = ColourTableEvent;

TEST(ColourTable, StateTable) {
    struct Row {
        S state;
        bool open, save, armed;
    };
    for (const Row& row :
         {Row{S::Initial, false, false, false}, Row{S::Editable, true, false, false},
          Row{S::ReadyToArm, true, true, false}, Row{S::Armed, true, true, true}}) {
        SCOPED_TRACE(static_cast<int>(row.state));
        EXPECT_EQ(colourOpenEnabled(row.state), row.open);
        EXPECT_EQ(colourSaveEnabled(row.state), row.save);
        EXPECT_EQ(colourTableArmed(row.state), row.armed);
    }
}

TEST(ColourTable, TransitionsOnlyGoForward) {
    S s = S::Initial;
    // Open and Save cannot move the frame before a preload.
    EXPECT_EQ(nextColourTableState(s, E::Opened), S::Initial);
    EXPECT_EQ(nextColourTableState(s, E::Saved), S::Initial);
    s = nextColourTableState(s, E::Preloaded);
    EXPECT_EQ(s, S::Editable);
    EXPECT_EQ(nextColourTableState(s, E::Saved), S::Editable);
    EXPECT_EQ(nextColourTableState(s, E::Preloaded), S::Editable);
    s = nextColourTableState(s, E::Opened);
    EXPECT_EQ(s, S::ReadyToArm);
    EXPECT_EQ(nextColourTableState(s, E::Preloaded), S::ReadyToArm);
    EXPECT_EQ(nextColourTableState(s, E::Opened), S::ReadyToArm);
    s = nextColourTableState(s, E::Saved);
    EXPECT_EQ(s, S::Armed);
    for (E e : {E::Preloaded, E::Opened, E::Saved}) EXPECT_EQ(nextColourTableState(s, e), S::Armed);
}

TEST(ColourTable, FragmentNamesTheExtractionCopy) {
    EXPECT_EQ(colourTablePath(ProgramDirectory("C:\\My Kit", '\\')),
              "C:\\My Kit\\hdl_gfx\\hdl_colors.txt");
    EXPECT_EQ(colourTableFragment(ProgramDirectory("/opt/my kit", '/')),
              "/IC \"/opt/my kit/hdl_gfx/hdl_colors.txt\"");
}

TEST(ColourTable, HelpTextIsOneParagraphOf470Characters) {
    EXPECT_EQ(kColourTableHelpText.size(), 470u);
    EXPECT_EQ(kColourTableHelpText.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(kColourTableHelpText.rfind("Colortable for HDLPatch. Only change", 0), 0u);
    EXPECT_TRUE(kColourTableHelpText.ends_with("Press OPEN in order to edit colors.txt"));
    EXPECT_NE(kColourTableHelpText.find("after //s if"), std::string::npos);
    EXPECT_NE(kColourTableHelpText.find("it's between 00-80. Alpha"), std::string::npos);
}

}  // namespace
}  // namespace kelvane
