#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryFile>
#include <cstdio>
#include <optional>

#include "app/qt_main_window.h"
#include "core/version.h"
#include "core/work_folders.h"
#include "platform/qt_desktop_services_impl.h"
#include "platform/qt_dialog_units.h"
#include "platform/qt_file_dialogs_impl.h"
#include "platform/qt_message_box_dialogs.h"
#include "platform/qt_process_runner_impl.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The name of the per-user folder and of the installation's data folder.
constexpr const char* kInstallName = "hdl-kelvane-gui";

QString native(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

// Whether a new file can be made in `directory` (its permission bits alone
// do not tell: a read-only medium or a policy may refuse).
bool acceptsNewFiles(const QString& directory) {
    QTemporaryFile probe(directory + QStringLiteral("/.write-test-XXXXXX"));
    return probe.open();
}

// An installation that keeps the executable in <prefix>/bin and its read-mes
// and tools folder in <prefix>/share/hdl-kelvane-gui.
QString sharedDataDirectory(const QString& programDir) {
    if (QFileInfo(programDir).fileName() != QStringLiteral("bin")) return {};
    const QString data = programDir + QStringLiteral("/../share/") + QLatin1String(kInstallName);
    return QFileInfo(data + QStringLiteral("/README")).isDir() ? native(data) : QString();
}

kelvane::WorkFolders findWorkFolders() {
    const QString programDir = QCoreApplication::applicationDirPath();
    kelvane::FolderFacts facts;
    facts.programDir = native(programDir).toStdString();
    facts.separator = QDir::separator().toLatin1();
    facts.programDirWritable = acceptsNewFiles(programDir);
    facts.sharedDataDir = sharedDataDirectory(programDir).toStdString();
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (!perUser.isEmpty()) facts.perUserDir = native(perUser).toStdString();
#ifndef Q_OS_WIN
    // A native ps2-packer may be installed on the PATH.
    for (const QString& dir : qEnvironmentVariable("PATH").split(QLatin1Char(':'))) {
        if (!dir.isEmpty()) facts.searchPath.push_back(dir.toStdString());
    }
#endif
    return kelvane::decideWorkFolders(facts);
}

void printOut(const QString& text, FILE* stream) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Handles --help and --version (the only arguments the program takes).
// Returns the exit code when the program should end without a window.
std::optional<int> handleCommandLine(const kelvane::WorkFolders& folders) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Patches and re-skins the PS2 hard-disk loader HDLoader/HDAdvance with "
                       "HDLPatch and ps2-packer."));
    // Its own help option: the one Qt offers also announces Qt's options,
    // which the program does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and the folders in use."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(QCoreApplication::arguments())) {
        printOut(parser.errorText() + QStringLiteral("\nTry --help.\n"), stderr);
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        printOut(QStringLiteral("The program takes no file or other argument: %1\nTry --help.\n")
                     .arg(parser.positionalArguments().join(QLatin1Char(' '))),
                 stderr);
        return 2;
    }
    if (parser.isSet(help)) {
        printOut(parser.helpText() + QLatin1Char('\n') +
                     QString::fromStdString(kelvane::foldersInUseText(folders)),
                 stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        printOut(QStringLiteral("%1 %2\n").arg(QString::fromUtf8(kelvane::kProgramTitle),
                                               QCoreApplication::applicationVersion()),
                 stdout);
        return 0;
    }
    return std::nullopt;
}

// A Windows GUI program has no console of its own: --help and --version
// write to the one of the command prompt that started it.
void attachToParentConsole() {
#ifdef Q_OS_WIN
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
}

void setUpApplicationNames() {
    QCoreApplication::setApplicationName(QLatin1String(kInstallName));
    QCoreApplication::setApplicationVersion(QString::fromStdString(kelvane::versionText()));
}

}  // namespace

int main(int argc, char** argv) {
    // The command line is read before any window system is touched, so that
    // --help and --version also work without a display.
    {
        QCoreApplication probe(argc, argv);
        setUpApplicationNames();
        if (argc > 1) attachToParentConsole();
        if (const auto exitCode = handleCommandLine(findWorkFolders())) return *exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setFont(kelvane::programFont(QApplication::font()));
    setUpApplicationNames();
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kelvane.HdlKelvaneGui"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hdl-kelvane-gui-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    const kelvane::WorkFolders folders = findWorkFolders();
    if (folders.installed) {
        // The same layout as beside a portable program, with a tools folder
        // ready for the real tools.
        QDir().mkpath(QString::fromStdString(folders.workDir) + QStringLiteral("/tools"));
    }
    const kelvane::ProgramDirectory workDir = folders.work().withToolSearch(
        kelvane::makeToolSearch(folders, &kelvane::isExistingRegularFile));

    kelvane::QtMessageBoxes messages;
    kelvane::QtFileDialogs dialogs;
    kelvane::QtProcessRunner runner;
    kelvane::QtDesktopServices desktop;

    kelvane::MainWindow window(workDir, folders.kit(), {messages, dialogs, runner, desktop});
    messages.setParent(&window);
    dialogs.setParent(&window);
    runner.setWindow(&window);
    runner.setServices(&desktop, &messages);
    const QString workFolder = QString::fromStdString(folders.workDir);
    window.statusBar()->setToolTip(
        folders.installed
            ? QStringLiteral("Work folder (outputs, a.bat, hdl_gfx): %1\nThe program folder "
                             "cannot be written, so the program works in this per-user folder.")
                  .arg(workFolder)
            : QStringLiteral("Work folder (outputs, a.bat, hdl_gfx): %1").arg(workFolder));
    window.show();
    return app.exec();
}
