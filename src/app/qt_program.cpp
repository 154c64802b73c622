#include "app/qt_program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryFile>
#include <cstdio>
#include <optional>

#include "app/qt_main_window.h"
#include "app/qt_program_style.h"
#include "core/version.h"
#include "core/work_folders.h"
#include "platform/desktop/qt_desktop_services_impl.h"
#include "platform/desktop/qt_file_dialogs_impl.h"
#include "platform/desktop/qt_message_box_dialogs.h"
#include "platform/layout/font_config_warm_up.h"
#include "platform/layout/qt_program_font.h"
#include "platform/layout/qt_screen_fit.h"
#include "platform/process/qt_tool_runner.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

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
    const QString data =
        programDir + QStringLiteral("/../share/") + QLatin1String(kelvane::kInstallName);
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
    // A native ps2-packer may be installed on the PATH; it is named by its
    // full path, also when the PATH entry is relative.
    for (const QString& dir : qEnvironmentVariable("PATH").split(QLatin1Char(':'))) {
        if (!dir.isEmpty()) facts.searchPath.push_back(QDir(dir).absolutePath().toStdString());
    }
#endif
    return kelvane::decideWorkFolders(facts);
}

void printOut(const QString& text, FILE* stream) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Handles --help and --version (the only arguments the program takes); the
// folders in use are looked up only for --help.
// Returns the exit code when the program should end without a window.
std::optional<int> handleCommandLine() {
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
                     QString::fromStdString(kelvane::foldersInUseText(findWorkFolders())),
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
    QCoreApplication::setApplicationName(QLatin1String(kelvane::kInstallName));
    QCoreApplication::setApplicationVersion(QString::fromStdString(kelvane::versionText()));
}

// The sizes a title bar, a task bar and a window switcher show, up to 64
// dots; launchers take the larger ones from the installed desktop icons. The
// pictures are read as PNG outright: left to guess their format, Qt would
// load every image-format plug-in while the program starts.
QIcon windowIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QImageReader reader(QStringLiteral(":/icons/hdl-kelvane-gui-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace

namespace kelvane {

int runProgram(int& argc, char** argv, const std::function<void(QWidget&)>& beforeShow) {
    // The system's font configuration is read on a second thread while Qt
    // connects to the display; the window's fonts are chosen from it later.
    FontConfigWarmUp fontConfig;

    // The command line is read before any window system is touched, so that
    // --help and --version also work without a display.
    {
        QCoreApplication probe(argc, argv);
        setUpApplicationNames();
        if (argc > 1) attachToParentConsole();
        if (const auto exitCode = handleCommandLine()) return *exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
    fontConfig.wait();
    QApplication::setFont(programFont(QApplication::font()));
    setUpApplicationNames();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kelvane::kAppId));
    QApplication::setWindowIcon(windowIcon());

    const WorkFolders folders = findWorkFolders();
    if (folders.installed) {
        // The same layout as beside a portable program, with a tools folder
        // ready for the real tools.
        QDir().mkpath(QString::fromStdString(folders.workDir) + QStringLiteral("/tools"));
    }
    const ProgramDirectory workDir =
        folders.work().withToolSearch(makeToolSearch(folders, &isExistingRegularFile));

    QtMessageBoxes messages;
    QtFileDialogs dialogs;
    QtToolRunner runner;
    QtDesktopServices desktop;

    MainWindow window(workDir, folders.kit(), {messages, dialogs, runner, desktop});
    messages.setParent(&window);
    dialogs.setParent(&window);
    const QString workFolder = QString::fromStdString(folders.workDir);
    window.statusBar()->setToolTip(
        folders.installed
            ? QStringLiteral("Work folder (outputs, a.bat, hdl_gfx): %1\nThe program folder "
                             "cannot be written, so the program works in this per-user folder.")
                  .arg(workFolder)
            : QStringLiteral("Work folder (outputs, a.bat, hdl_gfx): %1").arg(workFolder));
    if (beforeShow) beforeShow(window);
    // On a screen too small for the window, its form scrolls.
    new ScreenFit(&window);
    window.show();
    return app.exec();
}

}  // namespace kelvane
