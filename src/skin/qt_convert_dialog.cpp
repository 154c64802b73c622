#include "skin/qt_convert_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/version.h"
#include "platform/qt_text.h"
#include "skin/picture_check.h"
#include "skin/qt_picture_conversion.h"

namespace kelvane {
namespace {

constexpr ImageSlot kConvertibleSlots[] = {ImageSlot::SplashScreen, ImageSlot::MainMenuScreen,
                                           ImageSlot::ButtonImage};

QString slotCaption(ImageSlot slot) {
    QString title = qtText(slotTitle(slot)).mid(4);  // without "the "
    title[0] = title[0].toUpper();
    const PictureSize size = slotPictureSize(slot);
    return QStringLiteral("%1 (%2x%3 BMP)").arg(title).arg(size.width).arg(size.height);
}

}  // namespace

ConvertDialog::ConvertDialog(const QImage& source, const QString& sourceName,
                             std::optional<ImageSlot> fixedSlot, QWidget* parent)
    : QDialog(parent), source_(source) {
    setObjectName(QStringLiteral("convertDialog"));
    setWindowTitle(QStringLiteral("Convert Picture - %1").arg(qtText(kProgramTitle)));
    auto* layout = new QVBoxLayout(this);

    auto* sourceLabel = new QLabel(QStringLiteral("Picture: %1 (%2x%3 pixels)")
                                       .arg(sourceName)
                                       .arg(source.width())
                                       .arg(source.height()),
                                   this);
    sourceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(sourceLabel);

    auto* form = new QFormLayout;
    slotChoice_ = new QComboBox(this);
    slotChoice_->setObjectName(QStringLiteral("convertSlot"));
    for (ImageSlot slot : kConvertibleSlots) slotChoice_->addItem(slotCaption(slot), int(slot));
    if (fixedSlot) {
        slotChoice_->setCurrentIndex(slotChoice_->findData(int(*fixedSlot)));
        slotChoice_->setEnabled(false);
    }
    form->addRow(QStringLiteral("Use as:"), slotChoice_);
    layout->addLayout(form);

    auto* fitBox = new QGroupBox(QStringLiteral("Fit"), this);
    auto* fitLayout = new QHBoxLayout(fitBox);
    fitChoice_ = new QButtonGroup(this);
    const std::pair<FitMode, const char*> fits[] = {{FitMode::FillAndCrop, "Fill and crop"},
                                                    {FitMode::FitInside, "Fit inside (black bars)"},
                                                    {FitMode::Stretch, "Stretch"}};
    for (const auto& [mode, caption] : fits) {
        auto* option = new QRadioButton(qtText(caption), fitBox);
        option->setObjectName(QStringLiteral("fit%1").arg(int(mode)));
        fitChoice_->addButton(option, int(mode));
        fitLayout->addWidget(option);
    }
    fitChoice_->button(int(FitMode::FillAndCrop))->setChecked(true);
    layout->addWidget(fitBox);

    note_ = new QLabel(QStringLiteral("A BMP button carries no transparency: the loader keeps "
                                      "the alpha of its current button."),
                       this);
    note_->setWordWrap(true);
    layout->addWidget(note_);

    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("convertPreview"));
    preview_->setAlignment(Qt::AlignCenter);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(preview_);
    scroll->setAccessibleName(QStringLiteral("Preview"));
    scroll->setWidgetResizable(true);
    scroll->setMinimumSize(512 + 24, 448 + 24);
    layout->addWidget(scroll, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Convert"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("convertAccept"));
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(slotChoice_, &QComboBox::currentIndexChanged, this, &ConvertDialog::updatePreview);
    connect(fitChoice_, &QButtonGroup::idClicked, this, &ConvertDialog::updatePreview);
    updatePreview();
}

ImageSlot ConvertDialog::slot() const {
    return ImageSlot(slotChoice_->currentData().toInt());
}

FitMode ConvertDialog::fitMode() const {
    return FitMode(fitChoice_->checkedId());
}

void ConvertDialog::setSlot(ImageSlot slot) {
    slotChoice_->setCurrentIndex(slotChoice_->findData(int(slot)));
    updatePreview();
}

void ConvertDialog::setFitMode(FitMode mode) {
    fitChoice_->button(int(mode))->setChecked(true);
    updatePreview();
}

void ConvertDialog::updatePreview() {
    result_ = convertPicture(source_, slotPictureSize(slot()), fitMode());
    // At its own size (512x448 or 128x64), never scaled to the window.
    QPixmap pixmap = QPixmap::fromImage(result_);
    pixmap.setDevicePixelRatio(1.0);
    preview_->setPixmap(pixmap);
    note_->setVisible(slot() == ImageSlot::ButtonImage);
}

}  // namespace kelvane
