#pragma once

#include <QObject>

#include "help/link_hover.h"

class QLabel;
class QWidget;

namespace kelvane {

// Recolours the main window's two link labels as the mouse moves: red under
// the mouse, back at rest only over the bare window surface and, for the
// font-builder link, over the free area of the two skin frames. Movements
// over any other control leave the colours alone.
class LinkHoverController : public QObject {
    Q_OBJECT
  public:
    struct Surfaces {
        QLabel* label2;
        QLabel* label3;
        QWidget* windowSurface;
        QWidget* frame6;
        QWidget* frame9;
    };
    LinkHoverController(Surfaces surfaces, QObject* parent);

    LinkColours colours() const { return colours_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply();

    Surfaces surfaces_;
    LinkColours colours_;
};

}  // namespace kelvane
