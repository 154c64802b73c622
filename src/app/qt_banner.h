#pragma once

#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QSize>

namespace kelvane {

// Where the banner's two texts go: the program's name, as large as fits,
// left and centred down the band; a small note at the bottom right. The
// rectangles are the texts' ink, in device-independent pixels.
struct BannerLayout {
    QFont titleFont;
    QPointF titleOrigin;  // left end of the base line
    QRectF titleInk;
    QFont noteFont;
    QPointF noteOrigin;
    QRectF noteInk;
};

inline constexpr const char* kBannerTitle = "HDL/HDA Kelvane GUI";
inline constexpr const char* kBannerNote = "PS2 HDD loader";

// Lays the banner's texts out in a band of `size` in the family of `font`,
// so that both show whole and apart from each other.
BannerLayout bannerLayout(QSize size, const QFont& font);

// The banner at the top left of the main window: the program's name drawn on
// a dark red band, at the given size in device-independent pixels.
QPixmap makeBanner(QSize size, qreal devicePixelRatio, const QFont& font);

}  // namespace kelvane
