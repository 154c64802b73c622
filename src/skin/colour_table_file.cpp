#include "skin/colour_table_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kelvane {
namespace {

constexpr int kAlphaScale = 2;  // alpha always runs 00-80

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool parseEntry(const std::string& text, ColourLine& line) {
    constexpr std::size_t kPrefix = 8 + 4 + 2;  // digits, " // ", "X_"
    if (text.size() < kPrefix || text.compare(8, 4, " // ") != 0 || text[13] != '_') return false;
    if (text[12] != '1' && text[12] != '2') return false;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        const int high = hexValue(text[2 * i]), low = hexValue(text[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        values[i] = high * 16 + low;
    }
    line.red = std::uint8_t(values[0]);
    line.green = std::uint8_t(values[1]);
    line.blue = std::uint8_t(values[2]);
    line.alpha = std::uint8_t(values[3]);
    line.scale = text[12] - '0';
    line.description = text.substr(kPrefix);
    return true;
}

}  // namespace

ColourTableFile parseColourTable(std::string bytes) {
    ColourTableFile table;
    table.bytes = std::move(bytes);
    std::size_t start = 0;
    while (start < table.bytes.size()) {
        std::size_t end = table.bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? table.bytes.size() : end + 1;
        if (end == std::string::npos) end = table.bytes.size();
        if (end > start && table.bytes[end - 1] == '\r') --end;
        ColourLine line;
        line.text = table.bytes.substr(start, end - start);
        line.digitsOffset = start;
        line.editable = parseEntry(line.text, line);
        table.lines.push_back(std::move(line));
        start = next;
    }
    return table;
}

int screenLevel(int fileLevel, int scale) {
    if (scale != 2) return std::clamp(fileLevel, 0, 255);
    return std::clamp(int(std::lround(fileLevel * 255.0 / 128.0)), 0, 255);
}

int fileLevel(int screenLevel, int scale) {
    screenLevel = std::clamp(screenLevel, 0, 255);
    if (scale != 2) return screenLevel;
    return int(std::lround(screenLevel * 128.0 / 255.0));
}

ScreenColour toScreenColour(const ColourLine& line) {
    return {screenLevel(line.red, line.scale), screenLevel(line.green, line.scale),
            screenLevel(line.blue, line.scale), screenLevel(line.alpha, kAlphaScale)};
}

void setLineColour(ColourTableFile& table, std::size_t lineIndex, const ScreenColour& colour) {
    ColourLine& line = table.lines.at(lineIndex);
    if (!line.editable) return;
    const int values[4] = {fileLevel(colour.red, line.scale), fileLevel(colour.green, line.scale),
                           fileLevel(colour.blue, line.scale),
                           fileLevel(colour.alpha, kAlphaScale)};
    // Keep the case the file uses: lower case only when its letters were all
    // lower case.
    const std::string old = line.text.substr(0, 8);
    const bool lower =
        std::any_of(old.begin(), old.end(), [](char c) { return std::islower(c); }) &&
        !std::any_of(old.begin(), old.end(), [](char c) { return std::isupper(c); });
    const char* digits = lower ? "0123456789abcdef" : "0123456789ABCDEF";
    for (int i = 0; i < 4; ++i) {
        line.text[2 * i] = digits[values[i] >> 4];
        line.text[2 * i + 1] = digits[values[i] & 15];
    }
    table.bytes.replace(line.digitsOffset, 8, line.text, 0, 8);
    line.red = std::uint8_t(values[0]);
    line.green = std::uint8_t(values[1]);
    line.blue = std::uint8_t(values[2]);
    line.alpha = std::uint8_t(values[3]);
}

}  // namespace kelvane
