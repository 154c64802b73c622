#pragma once

#include <QImage>
#include <QString>

#include "skin/picture_check.h"
#include "skin/picture_fit.h"

namespace kelvane {

// The picture brought to the given size in 24-bit colour. Transparent parts
// come out black, as do the bars of FitInside.
QImage convertPicture(const QImage& source, PictureSize size, FitMode mode);

// Writes the picture as a Windows bitmap with Qt's BMP writer (24 bits per
// pixel for an RGB888 picture, rows from the bottom, each padded to four
// bytes). The file appears whole or not at all. On failure returns false with
// a sentence naming the file in `error`.
bool writeBmpFile(const QImage& picture, const QString& path, QString* error);

}  // namespace kelvane
