#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <chrono>

#include "platform/qt_desktop_services.h"
#include "platform/qt_message_boxes.h"
#include "platform/qt_process_runner.h"

namespace kelvane {

class ToolConsole;

// Starts external programs with QProcess.
//
// shellWait() runs its steps in a local event loop, so the windows keep
// repainting while the main window takes no input: with WindowStyle::Normal a
// window-modal tool console over the window shows the run, with
// WindowStyle::Hidden all user input is dropped until the run ends. A step
// stopped by the user ends the run; later steps are not started.
//
// A process started by shellStart() is owned by the runner until it ends.
// Every program starts in a process tree of its own: Stop, and the end of
// the runner, end the program and whatever it started. Programs still running
// when the runner is destroyed are all asked to end, get one stop grace
// period together, and are then killed.
class QtProcessRunner : public QObject, public ProcessRunner {
    Q_OBJECT
  public:
    explicit QtProcessRunner(QWidget* window = nullptr);
    ~QtProcessRunner() override;

    // The window the tool console is modal over.
    void setWindow(QWidget* window) { window_ = window; }
    // When true, the tool console closes by itself once every step is done;
    // otherwise it stays open until the user presses Close.
    void setConsoleClosesWhenDone(bool closes) { consoleClosesWhenDone_ = closes; }
    // After Stop, the time a tool has to end before it is killed.
    void setStopGracePeriod(std::chrono::milliseconds period) { stopGracePeriod_ = period; }
    // What the tool console's "Open Folder" uses, and where it reports a
    // failure; without them the button is not offered.
    void setServices(DesktopServices* desktop, MessageBoxes* messages);
    // Directories searched for wine; empty means PATH.
    void setWineSearchPath(const QStringList& directories) { wineSearchPath_ = directories; }

    QList<ToolOutcome> shellWait(
        const QList<ToolCommand>& steps, WindowStyle style,
        const std::function<bool(int step, const ToolOutcome&)>& proceed = {}) override;

    StartOutcome shellStart(const ToolCommand& command, WindowStyle style,
                            std::function<void(const ToolOutcome&)> finished = {}) override;

  private:
    ToolOutcome runStep(const ToolCommand& step, ToolConsole* console);

    QPointer<QWidget> window_;
    bool consoleClosesWhenDone_ = false;
    std::chrono::milliseconds stopGracePeriod_{3000};
    QStringList wineSearchPath_;
    DesktopServices* desktop_ = nullptr;
    MessageBoxes* messages_ = nullptr;
};

}  // namespace kelvane
