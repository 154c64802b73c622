#include "platform/desktop/qt_desktop_services_impl.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <QProcess>

#include "platform/desktop/notepad_command.h"
#include "platform/files/batch_file_io.h"
#include "platform/process/qt_launch_plan.h"
#include "platform/qt_text.h"
#endif

namespace kelvane {
namespace {

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

#ifdef Q_OS_WIN
QString systemNotepad() {
    return qtText(systemDirectory() + "\\notepad.exe");
}
#endif

}  // namespace

QtDesktopServices::QtDesktopServices(UrlOpener opener) : opener_(std::move(opener)) {
    if (!opener_) opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool QtDesktopServices::openInNotepad(const QString& path, QString* error) {
    const QString shown = QDir::toNativeSeparators(path);
#ifdef Q_OS_WIN
    // A Windows path never holds a double quote; one here would break the
    // quoting of the command line.
    if (path.contains(QLatin1Char('"'))) {
        setError(error, QStringLiteral("The path %1 cannot be opened.").arg(shown));
        return false;
    }
    const QString notepad = systemNotepad();
    QProcess process;
    process.setProgram(notepad);
    setExactCommandLine(process, qtText(notepadCommandLine(stdText(path))), notepad);
    if (!process.startDetached()) {
        setError(error,
                 QStringLiteral("Notepad could not be started: %1").arg(process.errorString()));
        return false;
    }
    return true;
#else
    return openLocal(path, QFileInfo(path).isFile(),
                     QStringLiteral("The file %1 does not exist.").arg(shown),
                     QStringLiteral("No program could be started to show %1.").arg(shown), error);
#endif
}

bool QtDesktopServices::openWebPage(const QString& address, QString* error) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty()) {
        setError(error, QStringLiteral("%1 is not a web address.").arg(address));
        return false;
    }
    if (!opener_(url)) {
        setError(error,
                 QStringLiteral("The web browser could not be started to show %1.").arg(address));
        return false;
    }
    return true;
}

bool QtDesktopServices::openFolder(const QString& folder, QString* error) {
    const QString shown = QDir::toNativeSeparators(folder);
    return openLocal(folder, QFileInfo(folder).isDir(),
                     QStringLiteral("The folder %1 does not exist.").arg(shown),
                     QStringLiteral("No file manager could be started to show %1.").arg(shown),
                     error);
}

bool QtDesktopServices::openLocal(const QString& path, bool present, const QString& missingText,
                                  const QString& notStartedText, QString* error) {
    if (!present) {
        setError(error, missingText);
        return false;
    }
    if (!opener_(QUrl::fromLocalFile(path))) {
        setError(error, notStartedText);
        return false;
    }
    return true;
}

}  // namespace kelvane
