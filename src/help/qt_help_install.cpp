#include "help/qt_help_install.h"

#include "help/qt_help_controller.h"

namespace kelvane {

void installHelpControllers(Ui::MainWindow& ui, AppContext& context,
                            std::function<void(QWidget*)> showFontWindow, QObject* owner) {
    new HelpController(ui, context, std::move(showFontWindow), owner);
}

}  // namespace kelvane
