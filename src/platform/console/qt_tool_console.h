#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>
#include <string_view>

#include "platform/console/output_log.h"
#include "platform/desktop/qt_desktop_services.h"
#include "platform/desktop/qt_message_boxes.h"
#include "platform/process/tool_runner.h"

class QLabel;
class QPushButton;

namespace kelvane {

class BusyIndicator;
class ConsoleLogView;

// The window that follows a waited-for tool job: its title says what the run
// does, the running step's command line is shown whole (wrapped), a busy bar
// moves while a tool runs, and the log holds each step's command line, the
// tool's output and one line saying how it ended (naming the file it wrote).
// That line also stands under the log, wrapped to the window's width, as the
// outcome a screen reader announces when the run ends. The log keeps the last
// OutputLog::kDefaultMaxLines lines; its cost follows what is on screen, not what the tool prints.
//
// While a tool runs only Stop, Copy Log and scrolling act; when every step is
// done, Close closes it and Open Folder opens the folder of the written file.
// Window-modal over its parent, so the main window keeps repainting but takes
// no input. Child names: "toolConsoleTitle", "toolConsoleCommand",
// "toolConsoleBusy", "toolConsoleLog", "toolConsoleOutcome", "toolConsoleCopy",
// "toolConsoleOpenFolder", "toolConsoleStop", "toolConsoleClose".
class ToolConsole : public QDialog, public ToolJobObserver {
    Q_OBJECT
  public:
    // `desktop` and `messages` serve Open Folder; without them it is hidden.
    explicit ToolConsole(QWidget* parent = nullptr, DesktopServices* desktop = nullptr,
                         MessageBoxes* messages = nullptr);
    ~ToolConsole() override;

    void stepStarted(const ToolStep& step) override;
    void stepOutput(std::string_view bytes) override;
    void stepEnded(const ToolOutcome& outcome, const JobOutput* output,
                   const OutputFact& fact) override;
    // Every step is done: Stop is disabled and Close enabled.
    void finish();

    // The whole log, as Copy Log puts it on the clipboard.
    QString logText() const;
    const OutputLog& log() const { return log_; }
    // Brings the view up to date now rather than at the next repaint tick.
    void refreshNow();

  signals:
    void stopRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void copyLog();
    void showOutcome(const QString& closingLine, bool good);
    void openFolder();

    OutputLog log_;
    QLabel* title_;
    QLabel* command_;
    BusyIndicator* busy_;
    ConsoleLogView* view_;
    QLabel* outcome_;
    QPushButton* copy_;
    QPushButton* openFolder_;
    QPushButton* stop_;
    QPushButton* close_;
    DesktopServices* desktop_;
    MessageBoxes* messages_;
    QString writtenFile_;
    bool running_ = true;
    // New output reaches the screen on this tick, not once per chunk read.
    QTimer repaintTimer_;
};

}  // namespace kelvane
