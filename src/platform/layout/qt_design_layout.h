#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

#include "platform/layout/qt_dialog_units.h"

namespace kelvane {

// The smallest size at which `control` shows its caption or text whole in its
// own font and style; an invalid size for a control without text.
QSize sizeForText(const QWidget* control);

// The positions and sizes of a window's controls as designed, kept so that
// they can be redrawn at any scale. Controls placed by a layout manager are
// left to it.
class DesignLayout {
  public:
    // Records the geometry of `root` and of every control below it.
    explicit DesignLayout(QWidget* root);

    // Places every recorded control at its design geometry times `scale`.
    // Edges are rounded, not sizes, so controls that touched or stood apart
    // in the design still do.
    void apply(DialogScale scale);

    // The smallest scale, at least `start`, at which every control's text
    // shows whole and every frame's title stands above its controls; applies
    // it and returns it.
    DialogScale fit(DialogScale start);

  private:
    struct Placed {
        QPointer<QWidget> widget;
        QRect design;
    };
    DialogScale neededScale() const;

    QPointer<QWidget> root_;
    QSize rootSize_;
    std::vector<Placed> placed_;
};

}  // namespace kelvane
