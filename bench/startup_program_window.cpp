// The program's start-up as main.cpp does it, with its main window over the
// kit built in this tree, for the start-up benchmark.
#include <QApplication>
#include <QDir>

#include "app/qt_main_window.h"
#include "platform/qt_desktop_services_impl.h"
#include "platform/qt_dialog_units.h"
#include "platform/qt_file_dialogs_impl.h"
#include "platform/qt_message_box_dialogs.h"
#include "platform/qt_process_runner_impl.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setFont(kelvane::programFont(QApplication::font()));

    const QString programDir = QDir::toNativeSeparators(QStringLiteral(KELVANE_KIT_DIR));
    const kelvane::ProgramDirectory directory(programDir.toStdString(),
                                              QDir::separator().toLatin1());

    kelvane::QtMessageBoxes messages;
    kelvane::QtFileDialogs dialogs;
    kelvane::QtProcessRunner runner;
    kelvane::QtDesktopServices desktop;

    kelvane::MainWindow window(directory, {messages, dialogs, runner, desktop});
    messages.setParent(&window);
    dialogs.setParent(&window);
    runner.setWindow(&window);
    runner.setServices(&desktop, &messages);
    ReportWhenIdle probe(window);
    window.show();
    return app.exec();
}
