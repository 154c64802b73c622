#include "platform/desktop/qt_open_with_report.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kelvane {

namespace {

// Shows why `target` could not be opened, unless it was; returns whether it was.
bool reportUnlessOpened(bool opened, MessageBoxes& messages, const QString& what,
                        const QString& target, const QString& reason, const QString& advice) {
    if (opened) return true;
    QStringList paragraphs{what};
    // The platform's reason may name the target already.
    if (!reason.contains(target)) paragraphs << target;
    if (!reason.isEmpty()) paragraphs << reason;
    paragraphs << advice;
    messages.show(paragraphs.join(QStringLiteral("\n\n")), MessageIcon::Error);
    return false;
}

}  // namespace

bool openDocument(DesktopServices& desktop, MessageBoxes& messages, const QString& path) {
    QString error;
    const bool opened = desktop.openInNotepad(path, &error);
    return reportUnlessOpened(opened, messages, QStringLiteral("The document could not be opened:"),
                              path, error,
                              QStringLiteral("You can open it yourself with any text editor."));
}

bool openContainingFolder(DesktopServices& desktop, MessageBoxes& messages, const QString& file) {
    const QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    QString error;
    const bool opened = desktop.openFolder(folder, &error);
    return reportUnlessOpened(opened, messages, QStringLiteral("The folder could not be opened:"),
                              folder, error,
                              QStringLiteral("You can open it yourself in your file manager."));
}

bool openWebAddress(DesktopServices& desktop, MessageBoxes& messages, const QString& address) {
    QString error;
    const bool opened = desktop.openWebPage(address, &error);
    return reportUnlessOpened(opened, messages, QStringLiteral("The web page could not be opened:"),
                              address, error,
                              QStringLiteral("You can open it yourself in your web browser."));
}

}  // namespace kelvane
