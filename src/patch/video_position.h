#pragma once

#include <string>
#include <string_view>

#include "core/form_state.h"

namespace kelvane {

// Screen position coordinates are bytes. The spinners (VScroll2 for X,
// VScroll1 for Y) cover the whole range; an arrow moves one step, a click
// beside the thumb ten.
inline constexpr int kPositionMin = 0;
inline constexpr int kPositionMax = 255;
inline constexpr int kSpinnerArrowStep = 1;
inline constexpr int kSpinnerPageStep = 10;

// The standard positions the two default buttons load.
enum class VideoDefault { Ntsc, Pal };
inline constexpr int kDefaultX = 130;
inline constexpr int kNtscDefaultY = 45;
inline constexpr int kPalDefaultY = 90;

// Text of the "HELP" box of the position editor.
inline constexpr const char* kVideoPositionHelp =
    "Lower values move left/up. Higher values move right/down.";

// Upper-case hexadecimal without prefix or leading zeros: 0 -> "0", 45 -> "2D".
std::string hexForm(int value);
// Plain decimal digits: 130 -> "130".
std::string decimalForm(int value);

// True for the text HDLPatch accepts as a coordinate: one or two hexadecimal
// digits, either case.
bool isPositionHexText(std::string_view text);

// "NTSC Default" / "PAL Default": stores the values in the hidden sliders and
// derives the decimal and hexadecimal texts from them. The spinners stay put.
void chooseDefaultPosition(FormState& state, VideoDefault which);

// A spinner (or hidden slider) now stands at value: the coordinate's decimal
// display and, from that text, its hexadecimal field are rewritten.
void setPositionX(FormState& state, int value);
void setPositionY(FormState& state, int value);

}  // namespace kelvane
