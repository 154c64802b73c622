#include "skin/qt_font_pair_choice.h"

#include <QDir>
#include <QFileInfo>

#include "platform/qt_text.h"
#include "skin/font/font_pair_check.h"
#include "skin/picture_fit.h"
#include "skin/qt_font_pair_files.h"
#include "skin/qt_picture_converter.h"

namespace kelvane {
namespace {

bool taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Writes the mended pair under a name in "converted" that neither file uses.
std::optional<QString> writeMended(AppContext& context, const QString& source,
                                   const FontPair& pair) {
    const std::optional<QString> folder = makeConvertedFolder(context);
    if (!folder) return std::nullopt;
    const std::string name = QFileInfo(source).fileName().toStdString();
    QString target;
    for (int attempt = 1; target.isEmpty() || taken(target) || taken(widthsPathFor(target));
         ++attempt)
        target = QDir::toNativeSeparators(
            QDir(*folder).filePath(qtText(convertedFileName(name, ImageSlot::Font, attempt))));
    QString error;
    if (!writeFontPair(target, pair, &error)) {
        context.messages.show(error, MessageIcon::Error);
        return std::nullopt;
    }
    context.messages.show(
        QStringLiteral("The mended font was written to\n%1\n%2").arg(target, widthsPathFor(target)),
        MessageIcon::Information);
    return target;
}

}  // namespace

std::optional<QString> checkFontChoice(AppContext& context, const QString& path) {
    const FontPairRead read = readFontPairFiles(path);
    if (read.opened.problem == FileOpenProblem::NotRegular) {
        context.messages.show(fileOpenProblemText(path, read.opened), MessageIcon::Error);
        return std::nullopt;
    }
    QString text;
    FontPairReport report;
    if (!read.opened.ok()) {
        text = QStringLiteral(
                   "%1\n\nA font must be %2.\n\nUse Anyway hands the file to HDLPatch "
                   "as it is; Cancel leaves the slot as it was.")
                   .arg(fileOpenProblemText(path, read.opened), qtText(kFontPairRequirement));
    } else {
        report = checkFontPair(read.files);
        if (report.ok()) return path;
        text = qtText(fontPairMismatchMessage(path.toStdString(), report));
    }
    const MismatchAnswer answer = askAboutMismatch(context, text, report.mendable());
    if (answer == MismatchAnswer::UseAnyway) return path;
    if (answer != MismatchAnswer::Convert) return std::nullopt;
    const std::optional<FontPair> mended = mendFontPair(read.files);
    if (!mended) return std::nullopt;
    return writeMended(context, path, *mended);
}

}  // namespace kelvane
