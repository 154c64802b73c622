#pragma once

#include <QFont>
#include <QString>

#include "skin/font/font_sheet.h"

namespace kelvane {

// What to draw a font pair from.
struct FontRenderSettings {
    QString family;
    int pixelSize = 12;
    bool bold = false;
    bool italic = false;
};

struct RenderedFont {
    FontPair pair;
    // Printable characters the font has no glyph for; they get an empty cell
    // and the width of a space. Control codes are always empty.
    int missing = 0;
    // The font is taller than a cell: the tops or tails of some letters are cut.
    bool clipped = false;
};

// Draws every character into its cell, left-aligned on one baseline, in the
// two colours, with each width the glyph's advance (widened to hold its ink,
// at most 16).
RenderedFont renderFontPair(const FontRenderSettings& settings);

// The largest pixel size whose ascent and descent fit the 16-pixel cell.
int largestFittingPixelSize(const FontRenderSettings& settings);

}  // namespace kelvane
