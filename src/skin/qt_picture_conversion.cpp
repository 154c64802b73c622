#include "skin/qt_picture_conversion.h"

#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace kelvane {

QImage convertPicture(const QImage& source, PictureSize size, FitMode mode) {
    QImage canvas(size.width, size.height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    const FitPlacement place =
        placePicture(source.width(), source.height(), size.width, size.height, mode);
    // QImage's smooth scaling averages the pixels it drops, which keeps a big
    // photo from turning grainy when it shrinks to a screen.
    const QRect part =
        QRectF(place.source.x, place.source.y, place.source.width, place.source.height)
            .toAlignedRect()
            .intersected(source.rect());
    const QSize drawn(qRound(place.target.width), qRound(place.target.height));
    const QImage scaled =
        source.copy(part).scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&canvas);
    painter.drawImage(QPointF(place.target.x, place.target.y), scaled);
    painter.end();
    return canvas.convertToFormat(QImage::Format_RGB888);
}

bool writeBmpFile(const QImage& picture, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("The file %1 cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    QImageWriter writer(&file, "bmp");
    if (!writer.write(picture)) {
        *error =
            QStringLiteral("The file %1 cannot be written: %2").arg(path, writer.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = QStringLiteral("The file %1 cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace kelvane
