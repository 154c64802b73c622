#pragma once

#include <QObject>

namespace kelvane {

// While it exists, the application takes no input from the user: clicks,
// keys, shortcuts and window close requests are dropped (not queued for
// later), while painting and timers go on. Used while a tool runs without a
// window of its own.
class InputBlocker : public QObject {
  public:
    InputBlocker();
    ~InputBlocker() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kelvane
