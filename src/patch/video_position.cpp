#include "patch/video_position.h"

#include <cctype>

namespace kelvane {
namespace {

// The hexadecimal field is derived from the decimal text just written, never
// from its own earlier content.
void writeCoordinate(std::string& decimalField, std::string& hexField, int value) {
    decimalField = decimalForm(value);
    hexField = hexForm(std::stoi(decimalField));
}

}  // namespace

std::string hexForm(int value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (value == 0) return "0";
    std::string text;
    for (unsigned v = static_cast<unsigned>(value); v != 0; v /= 16) {
        text.insert(text.begin(), kDigits[v % 16]);
    }
    return text;
}

std::string decimalForm(int value) {
    return std::to_string(value);
}

bool isPositionHexText(std::string_view text) {
    if (text.empty() || text.size() > 2) return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

void chooseDefaultPosition(FormState& state, VideoDefault which) {
    state.Slider1 = kDefaultX;
    state.Slider2 = which == VideoDefault::Ntsc ? kNtscDefaultY : kPalDefaultY;
    state.textx = decimalForm(state.Slider1);
    state.texty = decimalForm(state.Slider2);
    state.textxhex = hexForm(std::stoi(state.textx));
    state.textyhex = hexForm(std::stoi(state.texty));
}

void setPositionX(FormState& state, int value) {
    writeCoordinate(state.textx, state.textxhex, value);
}

void setPositionY(FormState& state, int value) {
    writeCoordinate(state.texty, state.textyhex, value);
}

}  // namespace kelvane
