#include "skin/qt_font_maker_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/desktop/qt_file_dialogs.h"
#include "platform/qt_text.h"
#include "skin/font/font_bitmap.h"
#include "skin/font/font_widths.h"
#include "skin/image_slots.h"
#include "skin/qt_font_pair_choice.h"
#include "skin/qt_font_pair_files.h"
#include "skin/qt_regular_file.h"

namespace kelvane {
namespace {

constexpr int kSheetZoom = 2;
constexpr int kSampleZoom = 2;
constexpr qint64 kMaxFontFileBytes = 64LL * 1024 * 1024;

const QString kFontFileFilter = QStringLiteral(
    "Font files (TTF, OTF, TTC, PFB, PCF, BDF, WOFF)|*.TTF;*.OTF;*.TTC;*.OTC;*.PFB;*.PFA;*.PCF;"
    "*.BDF;*.WOFF;*.WOFF2|All files|*");
const QString kPairFilter = QStringLiteral("*.BMP (Load Font BMP)|*.BMP");

QImage toImage(const RgbPicture& picture, int zoom) {
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    for (int y = 0; y < picture.height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.at(x, y);
            line[3 * x] = c.r;
            line[3 * x + 1] = c.g;
            line[3 * x + 2] = c.b;
        }
    }
    return image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The sample as codes of the sheet; characters the code page lacks show as "?".
std::string sampleCodes(const QString& text) {
    std::string codes;
    for (const char32_t c : text.toUcs4()) {
        const int code = fontCodeFor(c);
        codes += char(code < 0 ? '?' : code);
    }
    return codes;
}

bool hasSuffix(const QString& path, const char* suffix) {
    return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

}  // namespace

FontMakerDialog::FontMakerDialog(AppContext& context, std::function<void(const QString&)> useInSlot,
                                 QWidget* parent)
    : QDialog(parent), context_(context), useInSlot_(std::move(useInSlot)) {
    setObjectName(QStringLiteral("fontMaker"));
    setWindowTitle(QStringLiteral("Make Font"));

    installed_ = new QRadioButton(QStringLiteral("Installed font:"));
    installed_->setObjectName(QStringLiteral("fontInstalled"));
    installed_->setChecked(true);
    family_ = new QFontComboBox;
    family_->setObjectName(QStringLiteral("fontFamily"));
    family_->setAccessibleName(QStringLiteral("Installed font family"));
    // The family can be typed too: its text field reads as the list does.
    if (family_->lineEdit())
        family_->lineEdit()->setAccessibleName(QStringLiteral("Installed font family name"));
    fromFile_ = new QRadioButton(QStringLiteral("Font file:"));
    fromFile_->setObjectName(QStringLiteral("fontFromFile"));
    fromFile_->setEnabled(false);
    fileName_ = new QLineEdit;
    fileName_->setObjectName(QStringLiteral("fontFileName"));
    fileName_->setAccessibleName(QStringLiteral("Chosen font file"));
    fileName_->setReadOnly(true);
    chooseFile_ = new QPushButton(QStringLiteral("Choose File..."));
    chooseFile_->setObjectName(QStringLiteral("fontChooseFile"));
    chooseFile_->setAccessibleName(QStringLiteral("Choose a font file"));

    size_ = new QSpinBox;
    size_->setObjectName(QStringLiteral("fontPixelSize"));
    size_->setAccessibleName(QStringLiteral("Font size in pixels"));
    size_->setRange(4, 32);
    size_->setSuffix(QStringLiteral(" px"));
    auto* fit = new QPushButton(QStringLiteral("Largest That Fits"));
    fit->setObjectName(QStringLiteral("fontFitSize"));
    fit->setAccessibleName(QStringLiteral("Largest pixel size that fits the cell"));
    bold_ = new QCheckBox(QStringLiteral("Bold"));
    bold_->setObjectName(QStringLiteral("fontBold"));
    italic_ = new QCheckBox(QStringLiteral("Italic"));
    italic_->setObjectName(QStringLiteral("fontItalic"));
    sampleText_ =
        new QLineEdit(QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789"));
    sampleText_->setObjectName(QStringLiteral("fontSampleText"));
    sampleText_->setAccessibleName(QStringLiteral("Text of the sample line"));

    sheet_ = new QLabel;
    sheet_->setObjectName(QStringLiteral("fontSheet"));
    sheet_->setAccessibleName(QStringLiteral("Font sheet, enlarged twice"));
    sheet_->setFixedSize(kFontSheetSize * kSheetZoom, kFontSheetSize * kSheetZoom);
    sample_ = new QLabel;
    sample_->setObjectName(QStringLiteral("fontSample"));
    sample_->setAccessibleName(QStringLiteral("Sample line as the loader draws it"));
    sample_->setMinimumHeight(kFontCellSize * kSampleZoom);
    // A long sample is cut at the dialog's edge instead of widening it.
    sample_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    sample_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("fontStatus"));
    status_->setWordWrap(true);

    auto* source = new QGroupBox(QStringLiteral("Font"));
    auto* sourceGrid = new QFormLayout(source);
    sourceGrid->addRow(installed_, family_);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileName_, 1);
    fileRow->addWidget(chooseFile_);
    sourceGrid->addRow(fromFile_, fileRow);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(size_);
    sizeRow->addWidget(fit);
    sizeRow->addStretch();
    sourceGrid->addRow(QStringLiteral("Pixel size:"), sizeRow);
    auto* styleRow = new QHBoxLayout;
    styleRow->addWidget(bold_);
    styleRow->addWidget(italic_);
    styleRow->addStretch();
    sourceGrid->addRow(QString(), styleRow);
    sourceGrid->addRow(QStringLiteral("Sample text:"), sampleText_);

    auto* open = new QPushButton(QStringLiteral("Open Pair..."));
    open->setObjectName(QStringLiteral("fontOpenPair"));
    open->setAccessibleName(QStringLiteral("Open and check a font pair"));
    auto* left = new QVBoxLayout;
    left->addWidget(source);
    left->addWidget(status_);
    left->addWidget(open, 0, Qt::AlignLeft);
    left->addStretch();

    auto* buttons = new QDialogButtonBox;
    save_ = buttons->addButton(QStringLiteral("Save..."), QDialogButtonBox::ActionRole);
    save_->setObjectName(QStringLiteral("fontSave"));
    save_->setAccessibleName(QStringLiteral("Save the font pair"));
    QPushButton* use =
        buttons->addButton(QStringLiteral("Use in Font Slot"), QDialogButtonBox::AcceptRole);
    use->setObjectName(QStringLiteral("fontUse"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("fontClose"));
    close->setAccessibleName(QStringLiteral("Close Make Font"));

    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(sheet_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("As the console shows it:")));
    layout->addWidget(sample_);
    layout->addWidget(buttons);

    // A new family starts at its largest size that fits; a style keeps the size.
    // Ticking "Installed font" fits by itself, so the size is fitted once.
    connect(family_, &QFontComboBox::currentFontChanged, this, [this] {
        if (installed_->isChecked())
            fitSize();
        else
            installed_->setChecked(true);
    });
    connect(installed_, &QRadioButton::toggled, this, [this] { fitSize(); });
    connect(size_, &QSpinBox::valueChanged, this, [this] { render(); });
    connect(bold_, &QCheckBox::toggled, this, [this] { render(); });
    connect(italic_, &QCheckBox::toggled, this, [this] { render(); });
    connect(sampleText_, &QLineEdit::textChanged, this, [this] { showPair(); });
    connect(fit, &QPushButton::clicked, this, [this] { fitSize(); });
    connect(chooseFile_, &QPushButton::clicked, this, &FontMakerDialog::chooseFontFile);
    connect(open, &QPushButton::clicked, this, &FontMakerDialog::openPair);
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    connect(use, &QPushButton::clicked, this, &FontMakerDialog::useInSlot);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    fitSize();
}

FontRenderSettings FontMakerDialog::settings() const {
    FontRenderSettings s;
    s.family = fromFile_->isChecked() ? fileFamily_ : family_->currentFont().family();
    s.pixelSize = size_->value();
    s.bold = bold_->isChecked();
    s.italic = italic_->isChecked();
    return s;
}

void FontMakerDialog::fitSize() {
    const int size = largestFittingPixelSize(settings());
    if (size_->value() != size) {
        size_->setValue(size);  // renders through valueChanged
        return;
    }
    render();
}

void FontMakerDialog::render() {
    const RenderedFont made = renderFontPair(settings());
    pair_ = made.pair;
    savedPath_.clear();
    canSave_ = true;
    QString text = made.missing == 0
                       ? QStringLiteral("Every character of the sheet is in this font.")
                       : QStringLiteral(
                             "%1 characters are not in this font; they get an empty cell and "
                             "the width of a space.")
                             .arg(made.missing);
    if (made.clipped)
        text += QStringLiteral(
            " At this size the font is taller than the 16-pixel cell: the "
            "tops or tails of some letters are cut off.");
    status_->setText(text);
    showPair();
}

void FontMakerDialog::showPair() {
    save_->setEnabled(canSave_);
    if (pair_.sheet.width != kFontSheetSize || pair_.sheet.height != kFontSheetSize) {
        sheet_->clear();
        sample_->clear();
        return;
    }
    sheet_->setPixmap(QPixmap::fromImage(toImage(pair_.sheet, kSheetZoom)));
    sample_->setPixmap(QPixmap::fromImage(
        toImage(drawFontSample(pair_, sampleCodes(sampleText_->text())), kSampleZoom)));
}

void FontMakerDialog::chooseFontFile() {
    const std::optional<QString> chosen =
        context_.dialogs.openFileIn(kFontFileFilter, folderOfChoice(fileName_->text()));
    if (!chosen) return;
    QFile file(*chosen);
    const FileOpenResult opened = openRegularFile(file);
    if (!opened.ok()) {
        context_.messages.show(fileOpenProblemText(*chosen, opened), MessageIcon::Error);
        return;
    }
    const int id = file.size() > kMaxFontFileBytes
                       ? -1
                       : QFontDatabase::addApplicationFontFromData(file.readAll());
    const QStringList families =
        id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        context_.messages.show(
            QStringLiteral("The file %1 cannot be loaded as a font: it is not a font file that "
                           "this program can read.")
                .arg(*chosen),
            MessageIcon::Error);
        return;
    }
    fileFamily_ = families.first();
    fileName_->setText(*chosen);
    fromFile_->setEnabled(true);
    if (fromFile_->isChecked())
        fitSize();
    else
        fromFile_->setChecked(true);  // fits through installed_'s toggled
}

void FontMakerDialog::openPair() {
    const std::optional<QString> chosen =
        context_.dialogs.openFileIn(kPairFilter, folderOfChoice(savedPath_));
    if (!chosen) return;
    const std::optional<QString> taken = checkFontChoice(context_, *chosen);
    if (!taken) return;
    const FontPairRead read = readFontPairFiles(*taken);
    const std::optional<RgbPicture> sheet =
        read.opened.ok() ? decodeBmp(read.files.sheet.data(), read.files.sheet.size())
                         : std::nullopt;
    const WidthsReading widths = readWidthsFile(read.files.widths);
    pair_ = {};
    if (sheet && sheet->width == kFontSheetSize && sheet->height == kFontSheetSize)
        pair_.sheet = *sheet;
    if (widths.layout == WidthsLayout::Bytes || widths.layout == WidthsLayout::SixteenBit)
        pair_.widths = widths.widths;
    savedPath_ = *taken;
    canSave_ = read.opened.ok() && checkFontPair(read.files).ok();
    status_->setText(
        QStringLiteral("Showing the pair %1%2")
            .arg(*taken, canSave_ ? QStringLiteral(".")
                                  : QStringLiteral(", which is not what the loader reads.")));
    showPair();
}

QString FontMakerDialog::suggestedName() const {
    QString name = QStringLiteral("%1 %2px%3%4")
                       .arg(settings().family)
                       .arg(size_->value())
                       .arg(bold_->isChecked() ? QStringLiteral(" bold") : QString())
                       .arg(italic_->isChecked() ? QStringLiteral(" italic") : QString());
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringLiteral("\"\\/:*?<>|").contains(c)) c = QLatin1Char('_');
    return name + QStringLiteral(".bmp");
}

std::optional<QString> FontMakerDialog::save() {
    if (!canSave_) return std::nullopt;
    const QString folder = qtText(context_.programDir.directory());
    std::optional<QString> chosen = context_.dialogs.saveFile(
        QStringLiteral("*.BMP (Font BMP and DAT)|*.BMP"), QDir(folder).filePath(suggestedName()));
    if (!chosen) return std::nullopt;
    QString path = *chosen;
    if (hasSuffix(path, ".dat")) path.chop(4);
    if (!hasSuffix(path, ".bmp")) path += QStringLiteral(".bmp");
    const QString widths = widthsPathFor(path);
    const QFileInfo sheetInfo(path), widthsInfo(widths);
    if (sheetInfo.exists() || widthsInfo.exists()) {
        const int answer = context_.messages.ask(
            QStringLiteral("A font of this name already exists:\n%1\n%2\n\nReplace it?")
                .arg(path, widths),
            MessageIcon::Warning, {QStringLiteral("Replace"), QStringLiteral("Cancel")});
        if (answer != 0) return std::nullopt;
    }
    QString error;
    if (!writeFontPair(path, pair_, &error)) {
        context_.messages.show(error, MessageIcon::Error);
        return std::nullopt;
    }
    savedPath_ = path;
    return path;
}

void FontMakerDialog::useInSlot() {
    if (savedPath_.isEmpty() && !save()) return;
    if (!pathFitsFragment(savedPath_.toStdString())) {
        context_.messages.show(qtText(pathUnfitForFragmentMessage(savedPath_.toStdString())),
                               MessageIcon::Error);
        return;
    }
    useInSlot_(savedPath_);
    accept();
}

}  // namespace kelvane
