#pragma once

#include <QObject>

#include "platform/qt_app_context.h"

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kelvane {

// The "Video Position" frame: the two default buttons, the spinners VScroll2
// (X) and VScroll1 (Y), the decimal displays, the editable hexadecimal fields
// and the "HELP" button.
class VideoPositionController : public QObject {
    Q_OBJECT
  public:
    struct Widgets {
        QPushButton* ntscButton;  // ntsc
        QPushButton* palButton;   // pal
        QScrollBar* xSpinner;     // VScroll2
        QScrollBar* ySpinner;     // VScroll1
        QLineEdit* xDecimal;      // textx
        QLineEdit* yDecimal;      // texty
        QLineEdit* xHex;          // textxhex
        QLineEdit* yHex;          // textyhex
        QPushButton* helpButton;  // Command1
    };
    VideoPositionController(Widgets widgets, AppContext& context, QObject* parent);

  private:
    // Shows the four position texts of the state in their fields.
    void showPosition();

    Widgets widgets_;
    AppContext& context_;
};

}  // namespace kelvane
