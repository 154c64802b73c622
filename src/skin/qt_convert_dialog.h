#pragma once

#include <QDialog>
#include <QImage>
#include <optional>

#include "skin/image_slots.h"
#include "skin/picture_fit.h"

class QButtonGroup;
class QComboBox;
class QLabel;

namespace kelvane {

// Shows what a picture becomes for a slot, at its real size, with a choice of
// fit (and of the slot, when the caller leaves it open). "Convert" accepts the
// picture shown; nothing is written here.
class ConvertDialog : public QDialog {
    Q_OBJECT
  public:
    // `fixedSlot` set: the picture is for that slot only; otherwise the user
    // picks one of the three slots a picture can be converted for.
    ConvertDialog(const QImage& source, const QString& sourceName,
                  std::optional<ImageSlot> fixedSlot, QWidget* parent);

    ImageSlot slot() const;
    FitMode fitMode() const;
    void setSlot(ImageSlot slot);
    void setFitMode(FitMode mode);

    // The converted picture as previewed.
    const QImage& result() const { return result_; }

  private:
    void updatePreview();

    QImage source_;
    QImage result_;
    QComboBox* slotChoice_ = nullptr;
    QButtonGroup* fitChoice_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace kelvane
