#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "platform/qt_app_context.h"
#include "skin/qt_font_renderer.h"

class QCheckBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kelvane {

// "Make Font...": makes a font pair from an installed font or a font file,
// shows the sheet and a line of text drawn from the pair as the loader draws
// it, saves the pair and puts it into the font slot. A pair opened here is
// checked like one chosen in the slot.
class FontMakerDialog : public QDialog {
    Q_OBJECT
  public:
    // `useInSlot` arms the font slot with a sheet, as "Load Font" does.
    FontMakerDialog(AppContext& context, std::function<void(const QString&)> useInSlot,
                    QWidget* parent);

    // What the buttons do, callable from tests.
    void chooseFontFile();
    void openPair();
    // Writes the pair where the user says; the path written, or nothing.
    std::optional<QString> save();
    void useInSlot();

  private:
    void render();
    void fitSize();
    void showPair();
    FontRenderSettings settings() const;
    QString suggestedName() const;

    AppContext& context_;
    std::function<void(const QString&)> useInSlot_;
    FontPair pair_;
    QString fileFamily_;  // the family of the chosen font file
    // Where the shown pair lies on disk: the last save, or the opened pair.
    QString savedPath_;
    // An opened pair that did not pass its check can be used, not saved.
    bool canSave_ = true;

    QRadioButton* installed_ = nullptr;
    QRadioButton* fromFile_ = nullptr;
    QFontComboBox* family_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QPushButton* chooseFile_ = nullptr;
    QSpinBox* size_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QLineEdit* sampleText_ = nullptr;
    QLabel* sheet_ = nullptr;
    QLabel* sample_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* save_ = nullptr;
};

}  // namespace kelvane
