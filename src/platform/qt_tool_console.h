#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include "platform/qt_process_runner.h"

class QPlainTextEdit;
class QPushButton;

namespace kelvane {

// The window that shows a waited-for tool run: for each step the command line,
// then the tool's output line by line, then one line saying how it ended.
// While a tool runs only Stop acts; when every step is done, Close closes it.
// Window-modal over its parent, so the main window keeps repainting but takes
// no input. Child names: "toolConsoleLog", "toolConsoleStop", "toolConsoleClose".
class ToolConsole : public QDialog {
    Q_OBJECT
  public:
    // Older output lines are dropped beyond this many.
    static constexpr int kMaxLogLines = 5000;

    explicit ToolConsole(QWidget* parent = nullptr);

    void beginStep(const QString& commandLine);
    void appendOutput(const QString& line);
    void endStep(const ToolOutcome& outcome);
    // Every step is done: Stop is disabled and Close enabled.
    void finish();

    bool isRunning() const { return running_; }
    QString logText() const;

  signals:
    void stopRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    QPlainTextEdit* log_;
    QPushButton* stop_;
    QPushButton* close_;
    bool running_ = true;
    bool anyStep_ = false;
    // Output lines wait here briefly and reach the log in batches: appending
    // them one by one re-lays out the view for every line and cannot keep up
    // with a chatty tool.
    mutable QStringList pending_;
    QTimer flushTimer_;
    void flushPending() const;
};

}  // namespace kelvane
