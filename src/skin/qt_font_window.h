#pragma once

#include <QDialog>
#include <memory>

class QWidget;

namespace Ui {
class FontWindow;
}

namespace kelvane {

// Shows the font window "Change HDL/HDA Fonts" over owner without blocking
// it. While one is open for this owner it is only raised; after it was
// closed a new one is made, first placed centred over the owner.
void showFontWindow(QWidget* owner);

// The font window: tells how to make a replacement font. It takes no input.
class FontWindow : public QDialog {
    Q_OBJECT
  public:
    explicit FontWindow(QWidget* owner);
    ~FontWindow() override;

    bool isClosing() const { return closing_; }

  public slots:
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    std::unique_ptr<Ui::FontWindow> ui_;
    bool closing_ = false;
};

}  // namespace kelvane
