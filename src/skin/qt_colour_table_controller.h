#pragma once

#include <QObject>

#include "platform/qt_app_context.h"
#include "skin/colour_table.h"

class QPushButton;

namespace kelvane {

// The colour table of the extraction directory, which the next patch can
// write into the loader. The colour frame: "HELP" explains it, "Open" shows
// it in the text editor, "Save Changes" arms it for the next patch. The Tools
// menu's editor edits it with colour pickers and arms it on each save.
class ColourTableController : public QObject {
    Q_OBJECT
  public:
    struct Widgets {
        QPushButton* helpButton;  // Command10
        QPushButton* openButton;  // Command12
        QPushButton* saveButton;  // Command11
    };
    ColourTableController(Widgets widgets, AppContext& context, QObject* parent);

    void showHelp();
    void openTable();
    void saveChanges();
    // A preload with a loader file loaded makes "Open" usable.
    void preloaded();
    // Reads the table into the colour editor; refuses a missing, unreadable
    // or oversized file with a message.
    void editTable();

  private:
    void advance(ColourTableEvent event);
    void applyState();
    // Sets the switch that makes the next patch write the table.
    void arm();

    Widgets widgets_;
    AppContext& context_;
    ColourTableState state_ = ColourTableState::Initial;
};

}  // namespace kelvane
