#include "platform/layout/qt_dialog_units.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

// The classic 8-point dialog font at 96 dots per inch: 6 dots average
// character width and 13 dots line height.
constexpr double kDesignCharWidth = 6.0;
constexpr double kDesignLineHeight = 13.0;

}  // namespace

QSizeF dialogBaseUnits(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(letters) / letters.size(), metrics.height()};
}

DialogScale fontScale(const QFont& font) {
    const QSizeF units = dialogBaseUnits(font);
    return {std::max(1.0, units.width() / kDesignCharWidth),
            std::max(1.0, units.height() / kDesignLineHeight)};
}

QRect scaledRect(const QRect& design, DialogScale scale) {
    const int left = int(std::lround(design.x() * scale.x));
    const int top = int(std::lround(design.y() * scale.y));
    const int right = int(std::lround((design.x() + design.width()) * scale.x));
    const int bottom = int(std::lround((design.y() + design.height()) * scale.y));
    return {left, top, right - left, bottom - top};
}

}  // namespace kelvane
