#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace Ui {
class MainWindow;
}

namespace kelvane {

// Keeps the main window usable from the keyboard and from the mouse alike.
//
// After a mouse click on a button or spinner of the window the keyboard focus
// moves to the invisible sink, so keys typed next reach no switch, also when
// the click changed nothing (an option that was already selected). A control
// pressed from the keyboard keeps the focus, so Tab goes on from there: the
// sink is used only when the latest input came from the mouse. Enter presses
// the push button that has the focus.
class KeyboardAccess : public QObject {
    Q_OBJECT
  public:
    // Watches the application's input for the controls below `area`.
    KeyboardAccess(QWidget* area, QWidget* sink, QObject* parent);
    ~KeyboardAccess() override;

    // Moves the focus to the sink when the latest input was a mouse click;
    // otherwise leaves it where it is.
    void focusSinkAfterClick();

    bool latestInputWasMouse() const { return latestInputWasMouse_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool inArea(QObject* object) const;

    QPointer<QWidget> area_;
    QPointer<QWidget> sink_;
    bool latestInputWasMouse_ = false;
};

// Tab order of the main window: frame by frame, left to right and top to
// bottom, with each position field followed by its spinner.
void setReadingTabOrder(Ui::MainWindow& ui);

// Keyboard shortcuts of the main window's busiest buttons, named in their
// tooltips ("Patch (Ctrl+P)"); their captions stay as they are.
void addButtonShortcuts(Ui::MainWindow& ui);

}  // namespace kelvane
