#include "skin/qt_font_renderer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace kelvane {
namespace {

constexpr int kSmallestPixelSize = 4;
constexpr int kLargestPixelSize = 32;

bool isControl(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

// The font as Qt draws it without anti-aliasing and without taking letters
// from other fonts.
QFont fontForSheet(const FontRenderSettings& settings) {
    QFont font(settings.family);
    font.setPixelSize(std::clamp(settings.pixelSize, kSmallestPixelSize, kLargestPixelSize));
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    font.setKerning(false);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    return font;
}

}  // namespace

RenderedFont renderFontPair(const FontRenderSettings& settings) {
    const QFont font = fontForSheet(settings);
    const QFontMetrics metrics(font);
    const int baseline = std::min(metrics.ascent(), kFontCellSize - 1);
    const int spaceWidth = metrics.inFontUcs4(' ') ? metrics.horizontalAdvance(QChar(' ')) : 4;
    const auto clampWidth = [](int w) { return std::clamp(w, 1, kFontCellSize); };

    RenderedFont result;
    result.clipped = metrics.ascent() + metrics.descent() > kFontCellSize;
    QImage canvas(kFontSheetSize, kFontSheetSize, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    int advances[kFontCodes] = {};
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::white);
        for (int code = 0; code < kFontCodes; ++code) {
            const char32_t c = fontCodeCharacter(code);
            advances[code] = -1;
            if (isControl(c)) continue;
            if (!metrics.inFontUcs4(uint(c))) {
                ++result.missing;
                continue;
            }
            const QChar ch{char16_t(c)};
            // A glyph that reaches left of its origin is moved right so that
            // its ink starts at the cell's edge.
            const int shift = std::max(0, -metrics.leftBearing(ch));
            advances[code] = metrics.horizontalAdvance(ch) + shift;
            const CellOrigin cell = fontCellOrigin(code);
            painter.setClipRect(cell.x, cell.y, kFontCellSize, kFontCellSize);
            painter.drawText(cell.x + shift, cell.y + baseline, QString(ch));
        }
    }

    result.pair.sheet = RgbPicture(kFontSheetSize, kFontSheetSize, kFontBackground);
    for (int code = 0; code < kFontCodes; ++code) {
        const CellOrigin cell = fontCellOrigin(code);
        int inkRight = 0;
        for (int y = 0; y < kFontCellSize; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(cell.y + y));
            for (int x = 0; x < kFontCellSize; ++x) {
                if (qGreen(line[cell.x + x]) < 128) continue;
                result.pair.sheet.set(cell.x + x, cell.y + y, kFontForeground);
                inkRight = std::max(inkRight, x + 1);
            }
        }
        const int width = advances[code] < 0 ? spaceWidth : std::max(advances[code], inkRight);
        result.pair.widths[code] = std::uint8_t(clampWidth(width));
    }
    return result;
}

int largestFittingPixelSize(const FontRenderSettings& settings) {
    FontRenderSettings probe = settings;
    for (int size = kLargestPixelSize; size > kSmallestPixelSize; --size) {
        probe.pixelSize = size;
        const QFontMetrics metrics(fontForSheet(probe));
        if (metrics.ascent() + metrics.descent() <= kFontCellSize) return size;
    }
    return kSmallestPixelSize;
}

}  // namespace kelvane
