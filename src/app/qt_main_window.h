#pragma once

#include <QMainWindow>
#include <memory>

#include "core/form_state.h"
#include "core/program_directory.h"
#include "platform/layout/qt_design_layout.h"
#include "platform/qt_app_context.h"

class QLabel;

namespace Ui {
class MainWindow;
}

namespace kelvane {

class KeyboardAccess;

// The platform services the main window and its controllers use.
struct PlatformServices {
    MessageBoxes& messages;
    FileDialogs& dialogs;
    ToolRunner& runner;
    DesktopServices& desktop;
};

// The main window: owns the state of one run and the controllers that bind
// the widgets to the logic of each subsystem.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(ProgramDirectory programDir, PlatformServices services, QWidget* parent = nullptr);
    // Works in workDir and opens the read-mes below kitDir: the two differ when
    // the program is installed.
    MainWindow(ProgramDirectory workDir, ProgramDirectory kitDir, PlatformServices services,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    FormState& state() { return state_; }
    Ui::MainWindow& ui() { return *ui_; }
    AppContext& context() { return *context_; }

    // Replaces the text of status panel 1.
    void setStatusMessage(const QString& text);

  protected:
    // Closing by "Quit" or by the close box clears away the preview files.
    void closeEvent(QCloseEvent* event) override;

  private:
    void setUpLook();
    void setUpStatusBar();
    void setUpFocusSink();
    // Binds the widgets of each subsystem to its controller.
    void setUpControllers();
    void runStartup();
    void layOut();

    FormState state_;
    std::unique_ptr<Ui::MainWindow> ui_;
    std::unique_ptr<AppContext> context_;
    QLabel* statusPanel1_ = nullptr;
    QLabel* statusPanel2_ = nullptr;
    QLabel* statusPanel3_ = nullptr;
    QWidget* focusSink_ = nullptr;
    KeyboardAccess* keyboard_ = nullptr;
    std::unique_ptr<DesignLayout> designLayout_;
};

}  // namespace kelvane
