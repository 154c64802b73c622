#pragma once

#include <QObject>

#include "platform/qt_app_context.h"

namespace Ui {
class MainWindow;
}

namespace kelvane {

// Binds the skin controls of the main window to their logic. The created
// controllers are children of owner.
void installSkinControllers(Ui::MainWindow& ui, AppContext& context, QObject* owner);

}  // namespace kelvane
