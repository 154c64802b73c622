#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <functional>

namespace kelvane {

// Red, the colour of a link label under the mouse.
inline const QColor kLinkUnderMouse{0xFF, 0x00, 0x00};

// Stand-ins for two entries of the classic Windows colour scheme, taken from
// the widget's palette so that they follow the user's theme. The window-frame
// colour was the text colour of that scheme (black on a light desktop); the
// active-border colour is given the selection highlight, which reads well
// both on the window background and on the frame colour.
inline QColor windowFrameColour(const QPalette& palette) {
    return palette.color(QPalette::WindowText);
}
inline QColor activeBorderColour(const QPalette& palette) {
    return palette.color(QPalette::Highlight);
}

// Makes `label` look like a link: underlined `font`, transparent background,
// pointing-hand cursor; `clicked` runs when the left button is released over
// it after being pressed there.
void makeLinkLabel(QLabel* label, QFont font, std::function<void()> clicked);

// Sets the text colour of a label.
void setLabelColour(QLabel* label, const QColor& colour);

// The label's current text colour.
QColor labelColour(const QLabel* label);

}  // namespace kelvane
