#include "skin/qt_skin_install.h"

#include "ui_qt_main_window.h"

namespace kelvane {

void installSkinControllers(Ui::MainWindow& ui, AppContext& context, QObject* owner) {
    (void)ui;
    (void)context;
    (void)owner;
}

}  // namespace kelvane
