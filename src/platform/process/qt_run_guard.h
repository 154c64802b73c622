#pragma once

#include <QObject>

namespace kelvane {

// One tool run at a time: the patch run and both extractions ask here before
// they start anything, however their button was pressed (a click, a key, an
// accessibility action or a call from the program), and the buttons that
// start runs follow busyChanged to show that a run is going.
class RunGuard : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    bool busy() const { return busy_; }
    // Marks a run as going; false when one already is.
    bool begin();
    void end();

  signals:
    void busyChanged(bool busy);

  private:
    bool busy_ = false;
};

}  // namespace kelvane
