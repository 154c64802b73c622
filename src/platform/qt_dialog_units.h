#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace kelvane {

// How much larger than designed a window is drawn, separately across and
// down. The windows are designed in units of one screen dot of the classic
// 8-point dialog font at 96 dots per inch; the font in use measures
// differently, and the geometry grows with it.
// One design unit is one dot at 96 dots per inch: 15 twips.
inline constexpr int kTwipsPerDesignUnit = 15;

struct DialogScale {
    double x = 1.0;
    double y = 1.0;
};

// The font the program's windows use: a sans serif with the metrics of the
// classic Windows dialog font where one is installed (Liberation Sans and
// Arial share them), else the desktop's own family; always at the desktop's
// size, so that a user who asked for larger text gets it.
QFont programFont(const QFont& desktop);

// `font` for a text that the design sets in a face or size of its own: a
// point size of its own grows with the program's font as the rest of the
// window does (the design's texts are set in an 8-point font), and a face
// that is not installed falls back to the program's face.
QFont grownLikeProgramFont(QFont font);

// The average character width and the line height of `font`, measured the
// way Windows measures a dialog font for its dialog units.
QSizeF dialogBaseUnits(const QFont& font);

// The scale that turns design units into screen dots for `font`: its base
// units against those of the design's 8-point font, never below 1.
DialogScale fontScale(const QFont& font);

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

// Scales a rectangle given in design units; edges are rounded.
QRect scaledRect(const QRect& design, DialogScale scale);

}  // namespace kelvane
