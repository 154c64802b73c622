// Exactly one or two hexadecimal digits are accepted as a coordinate, and
// every coordinate the controls can set is written in an accepted form that
// reads back as the same value.
//
// Input: any text as typed into a position field; its first two bytes also
// choose a coordinate (a spinner or slider value, in or out of range).

#include <charconv>
#include <cstdint>
#include <string>

#include "core/form_state.h"
#include "fuzz_check.h"
#include "patch/video_position.h"

namespace {

using namespace kelvane;

// Read independently of the code under test: one unsigned base-16 number of
// one or two digits (no sign, prefix or blank).
bool readsAsCoordinate(std::string_view text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 16);
    return !text.empty() && text.size() <= 2 && error == std::errc() && stop == end;
}

void checkCoordinate(int value) {
    const std::string hex = hexForm(value);
    FUZZ_CHECK(isPositionHexText(hex));
    FUZZ_CHECK(hex == "0" || hex.front() != '0');  // no leading zero, so never "00"
    FUZZ_CHECK(hex.find_first_of("abcdef") == std::string::npos);
    unsigned back = 256;
    std::from_chars(hex.data(), hex.data() + hex.size(), back, 16);
    FUZZ_CHECK(back == static_cast<unsigned>(value));

    FormState state;
    setPositionX(state, value);
    setPositionY(state, 255 - value);
    FUZZ_CHECK(state.textx == std::to_string(value) && state.textxhex == hex);
    FUZZ_CHECK(state.texty == std::to_string(255 - value) &&
               state.textyhex == hexForm(255 - value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::asText(data, size);
    FUZZ_CHECK(isPositionHexText(text) == readsAsCoordinate(text));
    if (size < 2) return 0;
    const int value = static_cast<std::int16_t>(data[0] | data[1] << 8);
    if (value >= kPositionMin && value <= kPositionMax)
        checkCoordinate(value);
    else
        FUZZ_CHECK(!hexForm(value).empty());  // out of the controls' range: no fault
    return 0;
}
