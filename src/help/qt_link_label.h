#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <functional>

#include "help/qt_readable_colours.h"

namespace kelvane {

// Red, the colour of a link label under the mouse.
inline const QColor kLinkUnderMouse{0xFF, 0x00, 0x00};

// Stand-ins for two entries of the classic Windows colour scheme, taken from
// the widget's palette so that they follow the user's theme. The window-frame
// colour was black in that scheme: the darkest of the theme's text, window
// and shadow colours stands in for it, so that light link colours read on
// it. The active-border colour was a light grey: the selection highlight
// where it reads on the frame colour, else the first light role that does.
QColor windowFrameColour(const QPalette& palette);
QColor activeBorderColour(const QPalette& palette);

// Makes `label` look like a link: underlined `font`, transparent background,
// pointing-hand cursor; `clicked` runs when the left button is released over
// it after being pressed there, or on Enter or Space while it has the focus.
// It is reached with Tab and shows a frame around its text while focused.
void makeLinkLabel(QLabel* label, QFont font, std::function<void()> clicked);

// Sets the text colour of a label.
void setLabelColour(QLabel* label, const QColor& colour);

// The label's current text colour.
QColor labelColour(const QLabel* label);

}  // namespace kelvane
