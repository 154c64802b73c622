#include "patch/qt_patch_install.h"

#include "ui_qt_main_window.h"

namespace kelvane {

void installPatchControllers(Ui::MainWindow& ui, AppContext& context, QObject* owner) {
    (void)ui;
    (void)context;
    (void)owner;
}

}  // namespace kelvane
