#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "platform/files/file_identity.h"
#include "platform/qt_app_context.h"

class QLabel;
class QPushButton;

namespace kelvane {

// "Extract Graphics", "1 - Preload Graphics" and "2 - View Current Skin":
// HDLPatch writes the loader's graphics into the extraction or the preview
// directory, and the two screen pictures of the preview directory are shown.
class ExtractionController : public QObject {
    Q_OBJECT
  public:
    struct Widgets {
        QPushButton* extractButton;  // Command13
        QPushButton* preloadButton;  // Command8
        QPushButton* viewButton;     // Command6
        QLabel* splashPreview;       // Image3
        QLabel* mainMenuPreview;     // Image2
    };
    ExtractionController(Widgets widgets, AppContext& context, QObject* parent);

    // Both do nothing while another tool run is going.
    void extractGraphics();
    void preloadGraphics();
    void viewCurrentSkin();

    // Whether a directory exists but cannot be written; the file system's
    // answer unless a test supplies its own.
    std::function<bool(const std::string&)> readOnlyFolder = isReadOnlyFolder;

  signals:
    // A preload was asked for with a loader file loaded, whether or not the
    // tool could be started.
    void preloadRequested();

  private:
    // Moves the focus away; true when no run is going and a loader is
    // loaded (otherwise the user is asked to load one).
    bool mayStart();
    // Makes the directory and starts the tool in it. Reports every failure;
    // with announceSuccess the finished extraction is reported too.
    void runExtraction(const std::string& directory, bool announceSuccess);
    void showError(const std::string& text);

    Widgets widgets_;
    AppContext& context_;
};

}  // namespace kelvane
