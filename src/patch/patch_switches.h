#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/form_state.h"
#include "core/switch_fields.h"

namespace kelvane {

// Fragment a plain fix stores when ticked ("/n", "/c", "/s", "/b", "/f", "/l";
// lower case although the captions show upper case).
const char* plainFixFragment(int fix);

// The state field a plain fix writes (uno, due, tre, quattro, cinque, sei).
std::string& plainFixField(FormState& state, int fix);

// A plain fix box was ticked or unticked: its field gets its fragment or "".
void setPlainFix(FormState& state, int fix, bool ticked);

// The date/time fix: the check box Check7 and its four choices Option1..Option4
// ("/D0".."/D3"). The controls are modelled here so the rules can be tested
// without widgets; the controller mirrors this model onto the real controls.
inline constexpr int kDateFixOptionCount = 4;
inline constexpr int kDateFixDefaultOption = 3;  // "3", "/D3"

struct DateFixControls {
    bool ticked = false;          // Check7
    bool optionsEnabled = false;  // Option1..Option4
    std::optional<int> marked;    // the option that shows the selection mark
};

const char* dateFixFragment(int option);

// Check7 changed. Ticking enables the choices and always starts at "3";
// unticking disables them and clears Dx, leaving their mark as it was.
void setDateFixTicked(FormState& state, DateFixControls& controls, bool ticked);

// A choice became selected, by a click or any other way. While Check7 is
// unticked the selection is undone and Dx stays as it is.
void chooseDateFixOption(FormState& state, DateFixControls& controls, int option);

// The language selector Option5..Option11: indices 0..5 are French, Spanish,
// German, Italian, English, Portuguese ("/T1".."/T6"); index 6 is "Default
// Language", which sends no language switch.
inline constexpr int kLanguageOptionCount = 7;
inline constexpr int kDefaultLanguageOption = 6;

const char* languageFragment(int option);

// A language entry became selected: Text4 gets its fragment.
void chooseLanguage(FormState& state, int option);

}  // namespace kelvane
