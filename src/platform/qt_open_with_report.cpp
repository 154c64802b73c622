#include "platform/qt_open_with_report.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kelvane {

namespace {

QString failureText(const QString& what, const QString& target, const QString& reason,
                    const QString& advice) {
    QStringList paragraphs{what};
    // The platform's reason may name the target already.
    if (!reason.contains(target)) paragraphs << target;
    if (!reason.isEmpty()) paragraphs << reason;
    paragraphs << advice;
    return paragraphs.join(QStringLiteral("\n\n"));
}

}  // namespace

bool openDocument(DesktopServices& desktop, MessageBoxes& messages, const QString& path) {
    QString error;
    if (desktop.openInNotepad(path, &error)) return true;
    messages.show(failureText(QStringLiteral("The document could not be opened:"), path, error,
                              QStringLiteral("You can open it yourself with any text editor.")),
                  MessageIcon::Error);
    return false;
}

bool openContainingFolder(DesktopServices& desktop, MessageBoxes& messages, const QString& file) {
    const QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    QString error;
    if (desktop.openFolder(folder, &error)) return true;
    messages.show(failureText(QStringLiteral("The folder could not be opened:"), folder, error,
                              QStringLiteral("You can open it yourself in your file manager.")),
                  MessageIcon::Error);
    return false;
}

bool openWebAddress(DesktopServices& desktop, MessageBoxes& messages, const QString& address) {
    QString error;
    if (desktop.openWebPage(address, &error)) return true;
    messages.show(failureText(QStringLiteral("The web page could not be opened:"), address, error,
                              QStringLiteral("You can open it yourself in your web browser.")),
                  MessageIcon::Error);
    return false;
}

}  // namespace kelvane
