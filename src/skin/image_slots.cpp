#include "skin/image_slots.h"

#include <array>

#include "core/messages.h"
#include "core/switch_fields.h"

namespace kelvane {
namespace {

const std::array<ImageSlotRule, 4> kRules = {{
    {"*.TGA (32bit Targa)|*.TGA|*.RAW (32bit interleaved RAW)|*.RAW|*.BMP (BMP Image)|*.BMP",
     switchFieldOf(&FormState::pulsanti).text, false, &FormState::pulsanti,
     &FormState::CommonDialog5},
    {"*.BMP (Splash BMP)|*.BMP", switchFieldOf(&FormState::Text10).text, true, &FormState::Text10,
     &FormState::CommonDialog3},
    {"*.BMP (Splash BMP)|*.BMP", switchFieldOf(&FormState::Text9).text, true, &FormState::Text9,
     &FormState::CommonDialog4},
    {"*.BMP (Load Font BMP)|*.BMP", switchFieldOf(&FormState::Text1).text, false, &FormState::Text1,
     &FormState::CommonDialog2},
}};

}  // namespace

const ImageSlotRule& imageSlotRule(ImageSlot slot) {
    return kRules[static_cast<int>(slot)];
}

std::string fileSwitchFragment(std::string_view switchText, std::string_view path) {
    std::string fragment(switchText);
    fragment += '"';
    fragment += path;
    fragment += '"';
    return fragment;
}

std::string bareFileName(std::string_view path, char separator) {
    const std::string_view separators =
        separator == '\\' ? "\\/:" : std::string_view(&separator, 1);
    const auto cut = path.find_last_of(separators);
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

bool pathFitsFragment(std::string_view path) {
    return !path.empty() && path.find('"') == std::string_view::npos;
}

std::string pathUnfitForFragmentMessage(std::string_view path) {
    return "The file " + std::string(path) +
           " cannot be passed to HDLPatch: its path contains a double quote. Nothing was "
           "changed.";
}

std::string chooseSlotFile(FormState& state, ImageSlot slot, const std::string& path,
                           char separator) {
    const ImageSlotRule& rule = imageSlotRule(slot);
    RememberedChoice& choice = state.*rule.dialog;
    choice.fullPath = path;
    choice.fileName = bareFileName(path, separator);
    state.*rule.fragment = fileSwitchFragment(rule.switchText, path);
    return choice.fileName;
}

const std::string kButtonImageHelpText =
    std::string("/IB - Changes button image in HDA/HDL. Use '/IB file' with imageformat of") +
    kLineBreak + "128x64 24bit BMP, 32bit Targa or 32bit interleaved RAW. When using BMP" +
    kLineBreak + "format file the current alpha data in HDL/HDA will be used.";

}  // namespace kelvane
