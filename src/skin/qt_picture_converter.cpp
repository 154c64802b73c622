#include "skin/qt_picture_converter.h"

#include <QDir>
#include <QFileInfo>

#include "platform/qt_text.h"
#include "skin/picture_fit.h"
#include "skin/qt_convert_dialog.h"
#include "skin/qt_picture_conversion.h"
#include "skin/qt_picture_file.h"

namespace kelvane {
namespace {

// Where the conversion goes: a free name, or an earlier conversion the user
// agreed to replace. Nothing when the user cancelled.
std::optional<QString> chooseTarget(AppContext& context, const QDir& folder, const QString& source,
                                    ImageSlot slot) {
    const std::string sourceName = QFileInfo(source).fileName().toStdString();
    const QFileInfo sourceInfo(source);
    const auto nameFor = [&](int attempt) {
        return QDir::toNativeSeparators(
            folder.filePath(qtText(convertedFileName(sourceName, slot, attempt))));
    };
    const auto freeName = [&](int from) {
        int attempt = from;
        while (QFileInfo::exists(nameFor(attempt)) || QFileInfo(nameFor(attempt)).isSymLink())
            ++attempt;
        return nameFor(attempt);
    };

    const QString first = nameFor(1);
    const QFileInfo existing(first);
    if (!existing.exists() && !existing.isSymLink()) return first;
    // Converting an earlier conversion again never writes over it.
    if (existing == sourceInfo || existing.canonicalFilePath() == sourceInfo.canonicalFilePath())
        return freeName(2);

    // Keeping both is the default answer: nothing is lost by pressing Enter.
    const QStringList buttons = {QStringLiteral("Keep Both"), QStringLiteral("Replace"),
                                 QStringLiteral("Cancel")};
    const int answer = context.messages.ask(
        QStringLiteral("%1 already exists from an earlier conversion.\n\nKeep both and write the "
                       "new picture under another name, or replace the earlier one?")
            .arg(first),
        MessageIcon::Warning, buttons);
    if (answer == 0) return freeName(2);
    if (answer == 1) return first;
    return std::nullopt;
}

}  // namespace

MismatchAnswer askAboutMismatch(AppContext& context, const QString& text, bool offerConvert) {
    const QString convert = QStringLiteral("Convert"), useAnyway = QStringLiteral("Use Anyway");
    QStringList buttons{useAnyway, QStringLiteral("Cancel")};
    if (offerConvert) buttons.prepend(convert);
    const int answer = context.messages.ask(text, MessageIcon::Warning, buttons);
    const QString pressed = answer >= 0 && answer < buttons.size() ? buttons[answer] : QString();
    if (pressed == convert) return MismatchAnswer::Convert;
    return pressed == useAnyway ? MismatchAnswer::UseAnyway : MismatchAnswer::Cancel;
}

std::optional<QString> makeConvertedFolder(AppContext& context) {
    const QString folder = qtText(convertedDirectory(context.programDir));
    if (QDir().mkpath(folder) && QFileInfo(folder).isDir()) return folder;
    context.messages.show(
        QStringLiteral("The folder %1 for converted pictures cannot be made.").arg(folder),
        MessageIcon::Error);
    return std::nullopt;
}

std::optional<ConvertedPicture> convertPictureFile(AppContext& context, const QString& source,
                                                   std::optional<ImageSlot> slot) {
    QString error;
    const QImage picture = readPictureForConversion(source, &error);
    if (picture.isNull()) {
        context.messages.show(error, MessageIcon::Error);
        return std::nullopt;
    }
    ConvertDialog dialog(picture, QFileInfo(source).fileName(), slot, context.mainWindow);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const ImageSlot chosenSlot = dialog.slot();

    const std::optional<QString> folder = makeConvertedFolder(context);
    if (!folder) return std::nullopt;
    const std::optional<QString> target = chooseTarget(context, QDir(*folder), source, chosenSlot);
    if (!target) return std::nullopt;
    if (!writeBmpFile(dialog.result(), *target, &error)) {
        context.messages.show(error, MessageIcon::Error);
        return std::nullopt;
    }
    return ConvertedPicture{*target, chosenSlot};
}

}  // namespace kelvane
