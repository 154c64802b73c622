#pragma once

#include <QImage>
#include <QString>

#include "skin/image_slots.h"
#include "skin/picture_facts.h"
#include "skin/qt_regular_file.h"

namespace kelvane {

// What a chosen file is, found from its header alone (nothing is decoded).
struct PictureInspection {
    FileOpenResult opened;
    PictureFacts facts;
    bool qtCanRead = false;  // the picture can be read for a conversion
};

PictureInspection inspectPictureFile(const QString& path);

// A file-dialog filter entry for every picture this program can check or
// convert: "All pictures|*.BMP;*.PNG;...".
QString allPicturesFilterEntry();

// Pictures larger than this many pixels are not read for a conversion.
inline constexpr qint64 kMaxConvertiblePixels = 64LL * 1024 * 1024;

// Reads a whole picture for a conversion, turned upright as its camera meant.
// Only regular files are opened, and a header that announces an absurd size
// is refused before any memory is taken. On failure returns a null image and
// a sentence naming the file in `error`.
QImage readPictureForConversion(const QString& path, QString* error);

}  // namespace kelvane
