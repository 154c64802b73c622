#include "platform/desktop/qt_file_dialogs_impl.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/desktop/qt_name_filters.h"

namespace kelvane {

QString folderOfChoice(const QString& chosenPath) {
    if (chosenPath.isEmpty()) return {};
    return QDir::toNativeSeparators(QFileInfo(chosenPath).absolutePath());
}

std::optional<QString> QtFileDialogs::openFile(const QString& filter) {
    return openFileIn(filter, QString());
}

std::optional<QString> QtFileDialogs::openFileIn(const QString& filter, const QString& folder) {
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("openFileDialog"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(toQtNameFilters(filter));
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(chosen.first());
}

std::optional<QString> QtFileDialogs::saveFile(const QString& filter, const QString& suggested) {
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                      QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(toQtNameFilters(filter));
    const QFileInfo info(suggested);
    if (QFileInfo(info.absolutePath()).isDir()) dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(chosen.first());
}

}  // namespace kelvane
