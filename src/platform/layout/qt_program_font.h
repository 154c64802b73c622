#pragma once

#include <QFont>

namespace kelvane {

// The font the program's windows use: a sans serif with the metrics of the
// classic Windows dialog font where one is installed (Liberation Sans and
// Arial share them), else the desktop's own family; always at the desktop's
// size, so that a user who asked for larger text gets it.
QFont programFont(const QFont& desktop);

// `font` for a text that the design sets in a face or size of its own: a
// point size of its own grows with the program's font as the rest of the
// window does (the design's texts are set in an 8-point font), and a face
// that is not installed falls back to the program's face.
QFont grownLikeProgramFont(QFont font);

}  // namespace kelvane
