#pragma once

#include <QDialog>
#include <memory>

#include "help/credits_scroll.h"
#include "platform/desktop/qt_desktop_services.h"
#include "platform/desktop/qt_message_boxes.h"
#include "platform/layout/qt_dialog_units.h"

class QTimer;

namespace Ui {
class AboutWindow;
}

namespace kelvane {

// The about window: name, version and credits scrolling upward without end
// in a band at the top, and a link to the community site. It deletes itself
// when closed; showing it again builds a fresh one that starts from the top.
class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    AboutWindow(DesktopServices& desktop, MessageBoxes& messages, QWidget* owner);
    ~AboutWindow() override;

    // One scrolling step; Timer1 calls it every 10 ms.
    void tick();
    const CreditsScroll& scroll() const { return scroll_; }
    // How much larger than designed the window is drawn for its font.
    DialogScale scale() const { return scale_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void placeCredits();

    std::unique_ptr<Ui::AboutWindow> ui_;
    QTimer* timer_;
    CreditsScroll scroll_;
    DialogScale scale_;
};

// Shows the about window owned by `owner`. An open one is only brought to the
// front, keeping its scroll position; otherwise a new one is built, which
// starts its credits from the top and is first placed centred over the owner.
AboutWindow* showAboutWindow(DesktopServices& desktop, MessageBoxes& messages, QWidget* owner);

}  // namespace kelvane
