#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/qt_file_dialogs.h"

namespace kelvane {

// File-open dialogs with Qt's own QFileDialog (the same on every system).
// Each call shows a new dialog; remembering the last choice is the caller's
// business.
class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<QString> openFile(const QString& filter) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace kelvane
