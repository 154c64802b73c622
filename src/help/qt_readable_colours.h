#pragma once

#include <QColor>
#include <initializer_list>

namespace kelvane {

// The least contrast between a text and its background that reads well for
// most eyes (the WCAG AA level for normal text).
inline constexpr double kReadableContrast = 4.5;

// Relative luminance of a colour, from 0 (black) to 1 (white).
double relativeLuminance(const QColor& colour);

// Contrast ratio of two colours, from 1 (equal) to 21 (black and white).
double contrastRatio(const QColor& a, const QColor& b);

// The first candidate that reads on `background`; when none does, black or
// white, whichever reads better.
QColor readableOn(const QColor& background, std::initializer_list<QColor> candidates);

}  // namespace kelvane
