#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "platform/console/qt_tool_console.h"

namespace kelvane::testing {

// While it exists, closes each tool console once its job is done, keeping the
// log the console showed last.
class ConsoleCloser {
  public:
    ConsoleCloser() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* console = qobject_cast<ToolConsole*>(QApplication::activeModalWidget());
            auto* close = console ? console->findChild<QPushButton*>("toolConsoleClose") : nullptr;
            if (!close || !close->isEnabled()) return;
            log = console->logText();
            close->click();
        });
        poll_.start(20);
    }
    QString log;

  private:
    QTimer poll_;
};

}  // namespace kelvane::testing
