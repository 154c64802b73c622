#pragma once

#include <QFont>
#include <QRect>
#include <QSizeF>

namespace kelvane {

// How much larger than designed a window is drawn, separately across and
// down. The windows are designed in units of one screen dot of the classic
// 8-point dialog font at 96 dots per inch; the font in use measures
// differently, and the geometry grows with it.
// One design unit is one dot at 96 dots per inch: 15 twips.
inline constexpr int kTwipsPerDesignUnit = 15;

struct DialogScale {
    double x = 1.0;
    double y = 1.0;
};

// The average character width and the line height of `font`, measured the
// way Windows measures a dialog font for its dialog units.
QSizeF dialogBaseUnits(const QFont& font);

// The scale that turns design units into screen dots for `font`: its base
// units against those of the design's 8-point font, never below 1.
DialogScale fontScale(const QFont& font);

// Scales a rectangle given in design units; edges are rounded.
QRect scaledRect(const QRect& design, DialogScale scale);

}  // namespace kelvane
