#include "skin/colour_table.h"

#include "core/switch_fields.h"

namespace kelvane {

std::string colourTablePath(const ProgramDirectory& dir) {
    return dir.join("\\hdl_gfx\\hdl_colors.txt");
}

std::string colourTableFragment(const ProgramDirectory& dir) {
    return switchFieldOf(&FormState::colors).text + ('"' + colourTablePath(dir)) + '"';
}

ColourTableState nextColourTableState(ColourTableState state, ColourTableEvent event) {
    using S = ColourTableState;
    using E = ColourTableEvent;
    switch (state) {
        case S::Initial:
            return event == E::Preloaded ? S::Editable : S::Initial;
        case S::Editable:
            return event == E::Opened ? S::ReadyToArm : S::Editable;
        case S::ReadyToArm:
            return event == E::Saved ? S::Armed : S::ReadyToArm;
        case S::Armed:
            return S::Armed;
    }
    return state;
}

bool colourOpenEnabled(ColourTableState state) {
    return state != ColourTableState::Initial;
}

bool colourSaveEnabled(ColourTableState state) {
    return state == ColourTableState::ReadyToArm || state == ColourTableState::Armed;
}

bool colourTableArmed(ColourTableState state) {
    return state == ColourTableState::Armed;
}

const std::string kColourTableHelpText =
    "Colortable for HDLPatch. Only change those values and descriptions after //s if you want "
    "to insert your own info there. Do NOT change the formatting of the file in any other way! "
    "The lines are as follows: RRGGBBAA // X_Description Where RR, GG & BB stands for the color "
    "and AA for alpha value. 1 in X means the RRGGBB scale is between 00-FF, and 2 means it's "
    "between 00-80. Alpha is 00-80 meaning 00 is transparent and 80 is solid. Press OPEN in "
    "order to edit colors.txt";

std::string colourTableMissingMessage(std::string_view path) {
    return "The colour table " + std::string(path) +
           " does not exist. Press \"Extract Graphics\" first to create it.";
}

}  // namespace kelvane
