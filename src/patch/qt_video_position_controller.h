#pragma once

#include <QObject>

#include "platform/qt_app_context.h"

namespace Ui {
class MainWindow;
}

namespace kelvane {

// The "Video Position" frame: the two default buttons, the spinners VScroll2
// (X) and VScroll1 (Y), the decimal displays, the editable hexadecimal fields
// and the "HELP" button.
class VideoPositionController : public QObject {
    Q_OBJECT
  public:
    VideoPositionController(Ui::MainWindow& ui, AppContext& context, QObject* parent);

  private:
    // Shows the four position texts of the state in their fields.
    void showPosition();

    Ui::MainWindow& ui_;
    AppContext& context_;
};

}  // namespace kelvane
