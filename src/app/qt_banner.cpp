#include "app/qt_banner.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace kelvane {

namespace {

constexpr qreal kSideMargin = 10;
constexpr qreal kBottomMargin = 2;
constexpr qreal kGap = 2;  // between the ink of the two texts

}  // namespace

BannerLayout bannerLayout(QSize size, const QFont& font) {
    BannerLayout layout;
    const QString title = QString::fromLatin1(kBannerTitle);
    const QString note = QString::fromLatin1(kBannerNote);

    layout.noteFont = font;
    layout.noteFont.setBold(false);
    layout.noteFont.setPixelSize(std::max(7, size.height() / 4));
    const QFontMetricsF noteMetrics(layout.noteFont);
    const QRectF noteTight = noteMetrics.tightBoundingRect(note);
    layout.noteOrigin = QPointF(size.width() - kSideMargin - noteMetrics.horizontalAdvance(note),
                                size.height() - kBottomMargin - noteTight.bottom());
    layout.noteInk = noteTight.translated(layout.noteOrigin);

    // The name starts at a little over half the band's height and shrinks
    // until it fits across and stays clear of the note.
    layout.titleFont = font;
    layout.titleFont.setBold(true);
    const qreal room = size.width() - 2 * kSideMargin;
    for (int pixels = std::max(8, size.height() * 11 / 20); pixels >= 6; --pixels) {
        layout.titleFont.setPixelSize(pixels);
        const QFontMetricsF metrics(layout.titleFont);
        const QRectF tight = metrics.tightBoundingRect(title);
        layout.titleOrigin =
            QPointF(kSideMargin, (size.height() - tight.height()) / 2 - tight.top());
        layout.titleInk = tight.translated(layout.titleOrigin);
        const QRectF clearOfNote = layout.noteInk.adjusted(-kGap, -kGap, kGap, kGap);
        if (metrics.horizontalAdvance(title) <= room && !layout.titleInk.intersects(clearOfNote))
            break;
    }
    return layout;
}

QPixmap makeBanner(QSize size, qreal devicePixelRatio, const QFont& font) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::black);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));

    QLinearGradient band(area.topLeft(), area.topRight());
    band.setColorAt(0.0, QColor(0x80, 0x00, 0x00));
    band.setColorAt(0.7, QColor(0x30, 0x00, 0x00));
    band.setColorAt(1.0, Qt::black);
    painter.fillRect(area.adjusted(0, 2, 0, -2), band);

    const BannerLayout layout = bannerLayout(size, font);
    painter.setFont(layout.titleFont);
    painter.setPen(QColor(0xFF, 0xFF, 0xC0));
    painter.drawText(layout.titleOrigin, QString::fromLatin1(kBannerTitle));
    painter.setFont(layout.noteFont);
    painter.setPen(QColor(0xFF, 0x40, 0x40));
    painter.drawText(layout.noteOrigin, QString::fromLatin1(kBannerNote));
    return pixmap;
}

}  // namespace kelvane
