// A yardstick between the bare window and the program, for the start-up
// benchmark: the main window's controls alone, made from its form with the
// program's font (read as the program reads it), shown and painted, with none
// of the program's own start-up work (fitting, banner, controllers, folders).
#include <QApplication>
#include <QMainWindow>

#include "platform/layout/font_config_warm_up.h"
#include "platform/layout/qt_program_font.h"
#include "startup_probe.h"
#include "ui_qt_main_window.h"

int main(int argc, char** argv) {
    kelvane::FontConfigWarmUp fontConfig;
    QApplication app(argc, argv);
    fontConfig.wait();
    QApplication::setFont(kelvane::programFont(QApplication::font()));
    QMainWindow window;
    Ui::MainWindow form;
    form.setupUi(&window);
    ReportWhenIdle probe(window);
    window.show();
    return app.exec();
}
