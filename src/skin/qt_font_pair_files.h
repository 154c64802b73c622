#pragma once

#include <QString>
#include <vector>

#include "skin/font/font_pair_check.h"
#include "skin/qt_regular_file.h"

namespace kelvane {

struct FontPairRead {
    FileOpenResult opened;  // of the sheet
    FontPairFiles files;
    QString widthsPath;  // the widths file found beside the sheet, or where it belongs
};

// Reads a sheet and the widths file beside it (same name, ".dat" in any
// case). Only regular files are opened, so a named pipe never blocks.
FontPairRead readFontPairFiles(const QString& sheetPath);

// "NAME.dat" for "NAME.bmp".
QString widthsPathFor(const QString& sheetPath);

// Writes the sheet as a 24-bit BMP and the widths beside it. Both are written
// to temporary files in the same folder first, and an earlier pair is moved
// aside until both new files are in place, so that a failure at any step
// leaves the earlier pair (or nothing) and never one new file alone. On
// failure returns false with a sentence naming the file in `error`.
bool writeFontPair(const QString& sheetPath, const FontPair& pair, QString* error);

}  // namespace kelvane
