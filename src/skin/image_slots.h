#pragma once

#include <string>
#include <string_view>

#include "core/form_state.h"

namespace kelvane {

// The four replacement graphics a patch can write into the loader.
enum class ImageSlot { ButtonImage, MainMenuScreen, SplashScreen, Font };

// What tells one slot from another: the filter its dialog offers ("|" between
// description and pattern), the switch written before the quoted path (the two
// screen switches carry a leading blank, the other two do not), whether it
// shows a preview, and the state it keeps.
struct ImageSlotRule {
    const char* filter;
    const char* switchText;
    bool hasPreview;
    std::string FormState::*fragment;
    RememberedChoice FormState::*dialog;
};

const ImageSlotRule& imageSlotRule(ImageSlot slot);

// The switch text, then the path between double quotes.
std::string fileSwitchFragment(std::string_view switchText, std::string_view path);

// The file name without its folder. Both "\" and "/" end a folder on Windows;
// elsewhere only the given separator does.
std::string bareFileName(std::string_view path, char separator);

// A path that can stand between the double quotes of a fragment unchanged.
bool pathFitsFragment(std::string_view path);

// What the user is told when a chosen file's path does not fit a fragment.
std::string pathUnfitForFragmentMessage(std::string_view path);

// Records a confirmed choice: the dialog's remembered choice and the slot's
// fragment. Returns the display name.
std::string chooseSlotFile(FormState& state, ImageSlot slot, const std::string& path,
                           char separator);

// The text of the "?" box of the button image: three lines.
extern const std::string kButtonImageHelpText;

}  // namespace kelvane
