#pragma once

#include <QPixmap>
#include <QSize>

namespace kelvane {

// The banner at the top left of the main window: the program's name drawn on
// a dark red band, at the given size in device-independent pixels.
QPixmap makeBanner(QSize size, qreal devicePixelRatio);

}  // namespace kelvane
