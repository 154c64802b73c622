#pragma once

#include <QPushButton>

namespace kelvane {

// A push button too narrow for its caption written across: it draws the
// caption's letters one below the other. text() stays the plain caption.
class StackedCaptionButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;

    // Room for the letters one below the other, with the button's frame.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kelvane
