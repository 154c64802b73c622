#pragma once

#include <QObject>

#include "platform/qt_app_context.h"
#include "skin/colour_table.h"

namespace Ui {
class MainWindow;
}

namespace kelvane {

// The colour frame: "HELP" explains the colour table, "Open" shows the copy in
// the extraction directory in the text editor, "Save Changes" arms it for the
// next patch.
class ColourTableController : public QObject {
    Q_OBJECT
  public:
    ColourTableController(Ui::MainWindow& ui, AppContext& context, QObject* parent);

    ColourTableState colourState() const { return state_; }

    void showHelp();
    void openTable();
    void saveChanges();
    // A preload with a loader file loaded makes "Open" usable.
    void preloaded();

  private:
    void advance(ColourTableEvent event);
    void applyState();

    Ui::MainWindow& ui_;
    AppContext& context_;
    ColourTableState state_ = ColourTableState::Initial;
};

}  // namespace kelvane
