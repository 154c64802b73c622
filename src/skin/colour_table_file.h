#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvane {

// One line of the colour table. A line of the form
// "RRGGBBAA // X_Description" (X being 1 or 2) is an entry that can be edited;
// any other line is kept exactly as it is and shown read-only.
struct ColourLine {
    std::string text;  // the line without its line end
    bool editable = false;
    std::size_t digitsOffset = 0;                          // where RRGGBBAA starts in the file
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;  // as written in the file
    int scale = 1;  // 1: colour parts run 00-FF; 2: they run 00-80
    std::string description;
};

// The colour table as read: its exact bytes and its lines. Editing changes
// only the eight digits of an entry inside `bytes`, so writing `bytes` back
// keeps every other byte, line ends included.
struct ColourTableFile {
    std::string bytes;
    std::vector<ColourLine> lines;
};

ColourTableFile parseColourTable(std::string bytes);

// A colour as the user sees and picks it: every part 0-255.
struct ScreenColour {
    int red = 0, green = 0, blue = 0, alpha = 0;
};

// File values to the full range and back. Colour parts of scale 2 and the
// alpha run 00-80 in the file (80 being full); values beyond 80 show as full.
ScreenColour toScreenColour(const ColourLine& line);

// Writes the colour into the entry's digits (in the case its digits were
// written in) and into the line. Does nothing to a read-only line.
void setLineColour(ColourTableFile& table, std::size_t lineIndex, const ScreenColour& colour);

// 0-255 to the file's range for the scale (1: unchanged; 2 and alpha: 00-80).
int fileLevel(int screenLevel, int scale);
int screenLevel(int fileLevel, int scale);

}  // namespace kelvane
