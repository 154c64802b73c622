#pragma once

#include <QMainWindow>
#include <memory>

#include "app/form_state.h"
#include "app/program_directory.h"
#include "app/qt_app_context.h"

namespace Ui {
class MainWindow;
}

namespace kelvane {

// The platform services the main window and its controllers use.
struct PlatformServices {
    MessageBoxes& messages;
    FileDialogs& dialogs;
    ProcessRunner& runner;
    DesktopServices& desktop;
};

// The main window: owns the state of one run and the controllers that bind
// the widgets to the logic of each subsystem.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(ProgramDirectory programDir, PlatformServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    FormState& state() { return state_; }
    Ui::MainWindow& ui() { return *ui_; }
    AppContext& context() { return *context_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FormState state_;
    std::unique_ptr<Ui::MainWindow> ui_;
    std::unique_ptr<AppContext> context_;
};

}  // namespace kelvane
