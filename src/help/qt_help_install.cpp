#include "help/qt_help_install.h"

#include "help/qt_help_controller.h"

namespace kelvane {

void installHelpControllers(Ui::MainWindow& ui, AppContext& context, QObject* owner) {
    new HelpController(ui, context, owner);
}

}  // namespace kelvane
