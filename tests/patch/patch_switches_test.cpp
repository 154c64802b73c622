#include <gtest/gtest.h>

#include "patch/patch_switches.h"

namespace kelvane {
namespace {

TEST(PlainFixes, AllSixTickedThenUntickedLeaveFragmentsThenEmptyFields) {
    FormState state;
    for (int fix = 0; fix < kPlainFixCount; ++fix) setPlainFix(state, fix, true);
    EXPECT_EQ(state.uno, "/n");
    EXPECT_EQ(state.due, "/c");
    EXPECT_EQ(state.tre, "/s");
    EXPECT_EQ(state.quattro, "/b");
    EXPECT_EQ(state.cinque, "/f");
    EXPECT_EQ(state.sei, "/l");

    setPlainFix(state, 2, false);
    EXPECT_EQ(state.tre, "");
    EXPECT_EQ(state.uno, "/n");  // the others are independent
    for (int fix = 0; fix < kPlainFixCount; ++fix) setPlainFix(state, fix, false);
    for (const auto* field :
         {&state.uno, &state.due, &state.tre, &state.quattro, &state.cinque, &state.sei}) {
        EXPECT_EQ(*field, "");
    }
}

TEST(DateFix, TickingAlwaysStartsAtThreeAndUntickingClearsButKeepsTheMark) {
    FormState state;
    DateFixControls controls;

    setDateFixTicked(state, controls, true);
    EXPECT_TRUE(controls.optionsEnabled);
    EXPECT_EQ(controls.marked, 3);
    EXPECT_EQ(state.Dx, "/D3");

    chooseDateFixOption(state, controls, 0);  // "Remove previous patch"
    EXPECT_EQ(state.Dx, "/D0");
    chooseDateFixOption(state, controls, 1);
    EXPECT_EQ(state.Dx, "/D1");

    setDateFixTicked(state, controls, false);
    EXPECT_FALSE(controls.optionsEnabled);
    EXPECT_EQ(controls.marked, 1);  // shown disabled
    EXPECT_EQ(state.Dx, "");

    // The earlier choice "1" is not restored.
    setDateFixTicked(state, controls, true);
    EXPECT_EQ(controls.marked, 3);
    EXPECT_EQ(state.Dx, "/D3");
}

TEST(DateFix, ASelectionWhileUntickedIsUndoneAndLeavesDxEmpty) {
    FormState state;
    DateFixControls controls;
    chooseDateFixOption(state, controls, 2);
    EXPECT_FALSE(controls.marked.has_value());
    EXPECT_EQ(state.Dx, "");

    setDateFixTicked(state, controls, true);
    setDateFixTicked(state, controls, false);
    chooseDateFixOption(state, controls, 0);
    EXPECT_FALSE(controls.marked.has_value());
    EXPECT_EQ(state.Dx, "");
}

TEST(Language, EntriesWriteUpperCaseFragmentsAndDefaultClears) {
    FormState state;
    const char* expected[] = {"/T1", "/T2", "/T3", "/T4", "/T5", "/T6"};
    for (int option = 0; option < 6; ++option) {
        chooseLanguage(state, option);
        EXPECT_EQ(state.Text4, expected[option]);
    }
    chooseLanguage(state, 4);  // English
    chooseLanguage(state, kDefaultLanguageOption);
    EXPECT_EQ(state.Text4, "");
}

}  // namespace
}  // namespace kelvane
