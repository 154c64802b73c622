#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "platform/qt_app_context.h"

class QAction;

namespace kelvane {

// "Open HDL/HDA": asks for the loader executable, checks its size and tells
// the user whether it was loaded.
class OpenLoaderController : public QObject {
    Q_OBJECT
  public:
    OpenLoaderController(QAction* trigger, AppContext& context,
                         std::function<void(const QString&)> setStatusMessage, QObject* parent);

    void openLoader();

  private:
    AppContext& context_;
    std::function<void(const QString&)> setStatusMessage_;
};

}  // namespace kelvane
