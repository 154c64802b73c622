#pragma once

#include <QTimer>
#include <QWidget>

namespace kelvane {

// A small bar with a block sliding to and fro while something runs. It
// repaints a few times a second only, so that it costs next to nothing
// during a long run (a busy QProgressBar animates at the display's rate).
class BusyIndicator : public QWidget {
  public:
    explicit BusyIndicator(QWidget* parent = nullptr);

    void setBusy(bool busy);
    bool isBusy() const { return timer_.isActive(); }
    QSize sizeHint() const override { return {96, 12}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QTimer timer_;
    int step_ = 0;
};

}  // namespace kelvane
