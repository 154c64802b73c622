#pragma once

#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <functional>

#include "platform/layout/window_fit.h"

class QMainWindow;

namespace kelvane {

// Keeps a main window whose form has a fixed size usable on a screen too
// small for it. While the window with its frame fits the screen's available
// area nothing changes. Otherwise the window opens as large as the area
// allows and the form scrolls inside it, the menu bar and the status bar in
// view; a control that gets the keyboard focus from the keyboard (not by a
// click) is scrolled into view.
//
// The frame is known only once the window manager has framed the window;
// until then a usual title bar and border are assumed, and the window is
// fitted again when the real frame, the screen or its available area
// differs.
class ScreenFit : public QObject {
    Q_OBJECT
  public:
    // Fits `window` at once; make it before the window is first shown.
    // `availableArea`, when given, stands in for the available area of the
    // window's screen.
    explicit ScreenFit(QMainWindow* window, std::function<QRect()> availableArea = {});
    ~ScreenFit() override;

    // The area the form scrolls in, or null while the form fits.
    QScrollArea* scrollArea() const { return scroll_; }
    // Fits the window to its screen now.
    void fit();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* form() const;
    FrameMargins frameMargins() const;
    void scrollForm();
    void unscrollForm();
    void followScreen();
    void showFocused(QWidget* now);

    QPointer<QMainWindow> window_;
    // The window as the object its events are sent to: compared without a
    // cast, since its events still arrive while it is being destroyed.
    const QObject* watched_;
    std::function<QRect()> availableArea_;
    QPointer<QScrollArea> scroll_;
    QPointer<QScreen> screen_;
    FrameMargins fittedFrame_;
    bool fitPending_ = false;
};

}  // namespace kelvane
