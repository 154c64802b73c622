#include "patch/patch_switches.h"

#include <cassert>

namespace kelvane {
namespace {

constexpr std::array<const char*, kDateFixOptionCount> kDateFixFragments = {"/D0", "/D1", "/D2",
                                                                            "/D3"};
constexpr std::array<const char*, kLanguageOptionCount> kLanguageFragments = {
    "/T1", "/T2", "/T3", "/T4", "/T5", "/T6", ""};

}  // namespace

const char* plainFixFragment(int fix) {
    assert(fix >= 0 && fix < kPlainFixCount);
    return kSwitchFields[static_cast<std::size_t>(fix)].text;
}

std::string& plainFixField(FormState& state, int fix) {
    assert(fix >= 0 && fix < kPlainFixCount);
    return state.*kSwitchFields[static_cast<std::size_t>(fix)].field;
}

void setPlainFix(FormState& state, int fix, bool ticked) {
    plainFixField(state, fix) = ticked ? plainFixFragment(fix) : "";
}

const char* dateFixFragment(int option) {
    assert(option >= 0 && option < kDateFixOptionCount);
    return kDateFixFragments[static_cast<std::size_t>(option)];
}

void setDateFixTicked(FormState& state, DateFixControls& controls, bool ticked) {
    controls.ticked = ticked;
    controls.optionsEnabled = ticked;
    if (ticked) {
        // Selecting "3" here is the same as the user choosing it.
        chooseDateFixOption(state, controls, kDateFixDefaultOption);
    } else {
        state.Dx.clear();
    }
}

void chooseDateFixOption(FormState& state, DateFixControls& controls, int option) {
    if (controls.ticked) {
        controls.marked = option;
        state.Dx = dateFixFragment(option);
    } else {
        // Selecting it took the mark from the others; undoing it leaves none.
        controls.marked.reset();
    }
}

const char* languageFragment(int option) {
    assert(option >= 0 && option < kLanguageOptionCount);
    return kLanguageFragments[static_cast<std::size_t>(option)];
}

void chooseLanguage(FormState& state, int option) {
    state.Text4 = languageFragment(option);
}

}  // namespace kelvane
