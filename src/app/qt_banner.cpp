#include "app/qt_banner.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace kelvane {

QPixmap makeBanner(QSize size, qreal devicePixelRatio) {
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

    QFont title;
    title.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    title.setBold(true);
    title.setPixelSize(qMax(8, size.height() * 11 / 20));
    painter.setFont(title);
    painter.setPen(QColor(0xFF, 0xFF, 0xC0));
    const QRectF text = area.adjusted(10, 0, -10, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("HDL/HDA Kelvane GUI"));

    QFont note = title;
    note.setBold(false);
    note.setPixelSize(qMax(7, size.height() / 4));
    painter.setFont(note);
    painter.setPen(QColor(0xFF, 0x40, 0x40));
    painter.drawText(text, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("PS2 HDD loader"));
    return pixmap;
}

}  // namespace kelvane
