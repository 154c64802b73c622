#pragma once

#include <QWidget>

#include "platform/desktop/qt_message_boxes.h"

namespace kelvane {

// Message boxes shown with QMessageBox, window-modal over the given parent.
class QtMessageBoxes : public MessageBoxes {
  public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const QString& text, MessageIcon icon) override;
    int ask(const QString& text, MessageIcon icon, const QStringList& buttons) override;

  private:
    QWidget* parent_;
};

}  // namespace kelvane
