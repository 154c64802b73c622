#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/desktop/qt_file_dialogs.h"

namespace kelvane {

// File-open dialogs with Qt's own QFileDialog (the same on every system).
// Each call shows a new dialog; remembering the last choice (and so the
// folder to open in) is the caller's business.
class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<QString> openFile(const QString& filter) override;
    std::optional<QString> openFileIn(const QString& filter, const QString& folder) override;
    std::optional<QString> saveFile(const QString& filter, const QString& suggested) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace kelvane
