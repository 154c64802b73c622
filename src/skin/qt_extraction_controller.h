#pragma once

#include <QObject>
#include <QString>

#include "platform/qt_app_context.h"

namespace Ui {
class MainWindow;
}

namespace kelvane {

struct ToolOutcome;

// "Extract Graphics", "1 - Preload Graphics" and "2 - View Current Skin":
// HDLPatch writes the loader's graphics into the extraction or the preview
// directory, and the two screen pictures of the preview directory are shown.
class ExtractionController : public QObject {
    Q_OBJECT
  public:
    ExtractionController(Ui::MainWindow& ui, AppContext& context, QObject* parent);

    void extractGraphics();
    void preloadGraphics();
    void viewCurrentSkin();

  signals:
    // A preload was asked for with a loader file loaded, whether or not the
    // tool could be started.
    void preloadRequested();

  private:
    // Makes the directory and starts the tool in it. Reports every failure;
    // with announceSuccess the finished extraction is reported too.
    void runExtraction(const QString& directory, bool announceSuccess);
    void toolFinished(const QString& directory, bool announceSuccess, const ToolOutcome& outcome);
    void showError(const std::string& text);

    Ui::MainWindow& ui_;
    AppContext& context_;
};

}  // namespace kelvane
