#include "help/qt_help_install.h"

#include "ui_qt_main_window.h"

namespace kelvane {

void installHelpControllers(Ui::MainWindow& ui, AppContext& context, QObject* owner) {
    (void)ui;
    (void)context;
    (void)owner;
}

}  // namespace kelvane
