#include "app/qt_main_window.h"

#include <QCloseEvent>

#include "help/qt_help_install.h"
#include "patch/qt_patch_install.h"
#include "skin/qt_skin_install.h"
#include "ui_qt_main_window.h"

namespace kelvane {

MainWindow::MainWindow(ProgramDirectory programDir, PlatformServices services, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>()) {
    ui_->setupUi(this);
    context_ = std::make_unique<AppContext>(AppContext{state_, std::move(programDir),
                                                       services.messages, services.dialogs,
                                                       services.runner, services.desktop, this,
                                                       [] {}});
    installPatchControllers(*ui_, *context_, this);
    installSkinControllers(*ui_, *context_, this);
    installHelpControllers(*ui_, *context_, this);
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent* event) { event->accept(); }

}  // namespace kelvane
