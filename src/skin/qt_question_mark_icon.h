#pragma once

#include <QPixmap>

namespace kelvane {

// A 16 x 16 question mark: yellow with a black outline and olive shading on a
// light grey ground.
QPixmap questionMarkIcon();

}  // namespace kelvane
