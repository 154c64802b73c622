#include "skin/qt_picture_file.h"

#include <QFileInfo>
#include <QImageReader>

namespace kelvane {
namespace {

// Qt refuses to allocate more than this for one picture (in megabytes); set
// before every read, as the limit is shared by all readers.
constexpr int kAllocationLimitMb = 512;

}  // namespace

PictureInspection inspectPictureFile(const QString& path) {
    PictureInspection result;
    const QFileInfo info(path);

    QFile file(path);
    result.opened = openRegularFile(file);
    if (!result.opened.ok()) return result;
    const QByteArray head = file.peek(qint64(kPictureHeadSize));
    result.facts = describePicture(reinterpret_cast<const unsigned char*>(head.constData()),
                                   std::size_t(head.size()), std::uint64_t(file.size()),
                                   info.fileName().toStdString());
    QImageReader reader(&file);
    result.qtCanRead = reader.canRead();
    // JPEG keeps its size deep in the file; Qt finds it without decoding.
    if (result.qtCanRead && result.facts.width == 0 && result.facts.height == 0) {
        const QSize size = reader.size();
        if (size.isValid()) {
            result.facts.width = std::uint64_t(size.width());
            result.facts.height = std::uint64_t(size.height());
        }
    }
    return result;
}

QString allPicturesFilterEntry() {
    QStringList patterns = {QStringLiteral("*.BMP"), QStringLiteral("*.PNG"),
                            QStringLiteral("*.JPG"), QStringLiteral("*.JPEG"),
                            QStringLiteral("*.GIF"), QStringLiteral("*.TGA"),
                            QStringLiteral("*.RAW")};
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format).toUpper();
        if (!patterns.contains(pattern)) patterns << pattern;
    }
    return QStringLiteral("All pictures|") + patterns.join(QLatin1Char(';'));
}

QImage readPictureForConversion(const QString& path, QString* error) {
    QFile file(path);
    const FileOpenResult opened = openRegularFile(file);
    if (!opened.ok()) {
        *error = fileOpenProblemText(path, opened);
        return {};
    }
    QImageReader::setAllocationLimit(kAllocationLimitMb);
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxConvertiblePixels) {
        *error = QStringLiteral("The picture %1 is too large to convert (%2x%3 pixels).")
                     .arg(path)
                     .arg(size.width())
                     .arg(size.height());
        return {};
    }
    QImage picture = reader.read();
    if (picture.isNull())
        *error =
            QStringLiteral("The picture %1 cannot be read: %2").arg(path, reader.errorString());
    return picture;
}

}  // namespace kelvane
