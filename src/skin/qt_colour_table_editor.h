#pragma once

#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "platform/desktop/qt_message_boxes.h"
#include "skin/colour_table_file.h"

class QTableWidget;
class QPushButton;

namespace kelvane {

// Shows the colour table one entry a row (swatch, alpha, range, description)
// and lets the user pick new colours. Saving writes only the eight digits of
// the edited entries; every other byte of the file stays as it was. Lines not
// of the entry form are shown greyed and kept.
class ColourTableEditor : public QDialog {
    Q_OBJECT
  public:
    ColourTableEditor(const QString& path, ColourTableFile table, MessageBoxes& messages,
                      QWidget* parent);

    // Asks for a colour (alpha included); nothing when the user cancelled.
    // Replaceable so that tests can answer for the user.
    std::function<std::optional<QColor>(const QColor& initial)> pickColour;
    // Called after each successful save.
    std::function<void()> saved;

    const ColourTableFile& table() const { return table_; }
    bool hasUnsavedEdits() const { return table_.bytes != savedBytes_; }

    void editRow(int row);
    bool save();

  public slots:
    void reject() override;

  private:
    void fillRow(int row);

    QString path_;
    ColourTableFile table_;
    std::string savedBytes_;  // what the file held when read or last saved
    MessageBoxes& messages_;
    QTableWidget* grid_ = nullptr;
    QPushButton* change_ = nullptr;
};

}  // namespace kelvane
