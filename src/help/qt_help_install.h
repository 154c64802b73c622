#pragma once

#include <QObject>
#include <functional>

#include "platform/qt_app_context.h"

namespace Ui {
class MainWindow;
}

namespace kelvane {

// Binds the help controls of the main window to their logic. The created
// controllers are children of owner.
void installHelpControllers(Ui::MainWindow& ui, AppContext& context,
                            std::function<void(QWidget*)> showFontWindow, QObject* owner);

}  // namespace kelvane
