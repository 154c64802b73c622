// The yardstick of the start-up benchmark: a bare Qt main window with a
// status bar, nothing of the program.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

#include "startup_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(600, 500);
    ReportWhenIdle probe(window);
    window.show();
    return app.exec();
}
