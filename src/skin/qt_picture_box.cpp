#include "skin/qt_picture_box.h"

#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include "skin/bitmap_completeness.h"
#include "skin/qt_regular_file.h"

namespace kelvane {

QImage readPreviewPicture(const QString& path, QString* refusal) {
    QFile file(path);
    const FileOpenResult opened = openRegularFile(file);
    if (!opened.ok()) {
        if (refusal && opened.problem == FileOpenProblem::NotRegular)
            *refusal = fileOpenProblemText(path, opened);
        return {};
    }

    const QByteArray head = file.peek(64);
    const auto verdict = checkBitmapCompleteness(
        reinterpret_cast<const unsigned char*>(head.constData()),
        static_cast<std::size_t>(head.size()), static_cast<std::uint64_t>(file.size()));
    if (verdict == BitmapCompleteness::Truncated) return {};

    QImageReader reader(&file);
    return reader.read();
}

void showInPictureBox(QLabel* box, const QImage& picture) {
    if (picture.isNull()) {
        box->clear();
        return;
    }
    // Stretch to the box in device pixels so the preview stays sharp on high
    // density screens; scaledContents keeps it stretched if the box resizes.
    const qreal ratio = box->devicePixelRatioF();
    const QSize target = box->contentsRect().size() * ratio;
    QPixmap pixmap = QPixmap::fromImage(
        target.isEmpty() ? picture
                         : picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    box->setPixmap(pixmap);
}

}  // namespace kelvane
