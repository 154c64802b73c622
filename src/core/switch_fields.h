#pragma once

#include <array>
#include <string>

#include "core/form_state.h"

namespace kelvane {

// How a switch field stands on the patch command line.
enum class SwitchKind {
    Fragment,  // the field's text as stored: a switch or nothing
    Position,  // "/P " + X + "," + Y from two fields, always present
    File,      // a switch, a blank and a quoted path, or nothing
};

// One place of the switch part, in the order the tool receives them. Adding a
// switch means one row here and the widget that writes its field.
struct SwitchField {
    SwitchKind kind;
    std::string FormState::*field;
    // Fragment: the text a plain fix stores when ticked (nullptr for fields
    // with several values). File: the switch written before the quoted path.
    const char* text = nullptr;
    // Position: the Y field. File: what the path names, for messages.
    std::string FormState::*second = nullptr;
    const char* role = nullptr;
};

inline constexpr std::array<SwitchField, 14> kSwitchFields = {{
    {SwitchKind::Fragment, &FormState::uno, "/n"},
    {SwitchKind::Fragment, &FormState::due, "/c"},
    {SwitchKind::Fragment, &FormState::tre, "/s"},
    {SwitchKind::Fragment, &FormState::quattro, "/b"},
    {SwitchKind::Fragment, &FormState::cinque, "/f"},
    {SwitchKind::Fragment, &FormState::sei, "/l"},
    {SwitchKind::Fragment, &FormState::Dx},
    {SwitchKind::Fragment, &FormState::Text4},
    {SwitchKind::Position, &FormState::textxhex, nullptr, &FormState::textyhex},
    // The two screen switches carry a blank of their own in front.
    {SwitchKind::File, &FormState::Text1, "/IF ", nullptr, "font image"},
    {SwitchKind::File, &FormState::Text9, " /IS ", nullptr, "splash screen"},
    {SwitchKind::File, &FormState::Text10, " /IM ", nullptr, "main-menu screen"},
    {SwitchKind::File, &FormState::pulsanti, "/IB ", nullptr, "button image"},
    {SwitchKind::File, &FormState::colors, "/IC ", nullptr, "colour table"},
}};

// The six plain fixes are the first rows, in the order of their check boxes.
inline constexpr int kPlainFixCount = 6;

// The row of a field, looked up by its member.
constexpr const SwitchField& switchFieldOf(std::string FormState::*field) {
    for (const SwitchField& row : kSwitchFields)
        if (row.field == field) return row;
    return kSwitchFields.front();  // unreachable for the fields above
}

}  // namespace kelvane
