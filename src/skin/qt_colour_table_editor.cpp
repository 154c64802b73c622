#include "skin/qt_colour_table_editor.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/version.h"
#include "platform/qt_text.h"
#include "skin/qt_regular_file.h"

namespace kelvane {
namespace {

enum Column { kColour, kAlpha, kRange, kDescription, kColumns };

// The colour over a checker board, so that its transparency shows.
QIcon swatch(const QColor& colour) {
    QPixmap pixmap(32, 16);
    QPainter painter(&pixmap);
    for (int y = 0; y < 16; y += 4)
        for (int x = 0; x < 32; x += 4)
            painter.fillRect(x, y, 4, 4, ((x + y) / 4) % 2 ? Qt::lightGray : Qt::white);
    painter.fillRect(pixmap.rect(), colour);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

// Descriptions are the tool's 8-bit text: UTF-8 when valid, else Latin-1.
QString fromFileText(const std::string& text) {
    const QByteArray bytes = QByteArray::fromStdString(text);
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : utf8;
}

QColor toQColor(const ScreenColour& c) {
    return QColor(c.red, c.green, c.blue, c.alpha);
}

std::optional<QColor> askWithColourDialog(QWidget* parent, const QColor& initial) {
    QColorDialog dialog(initial, parent);
    dialog.setOptions(QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.currentColor();
}

}  // namespace

ColourTableEditor::ColourTableEditor(const QString& path, ColourTableFile table,
                                     MessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      path_(path),
      table_(std::move(table)),
      savedBytes_(table_.bytes),
      messages_(messages) {
    setObjectName(QStringLiteral("colourTableEditor"));
    setWindowTitle(QStringLiteral("Edit Colour Table - %1").arg(qtText(kProgramTitle)));
    pickColour = [this](const QColor& initial) { return askWithColourDialog(this, initial); };

    auto* layout = new QVBoxLayout(this);
    auto* where = new QLabel(path, this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);
    layout->addWidget(new QLabel(QStringLiteral("Double-click an entry, or select it and press "
                                                "\"Change Colour...\", to pick its colour."),
                                 this));

    grid_ = new QTableWidget(int(table_.lines.size()), kColumns, this);
    grid_->setObjectName(QStringLiteral("colourGrid"));
    grid_->setAccessibleName(QStringLiteral("Colour table"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Colour"), QStringLiteral("Alpha"),
                                      QStringLiteral("Range"), QStringLiteral("Description")});
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < grid_->rowCount(); ++row) fillRow(row);
    grid_->resizeColumnsToContents();
    grid_->setMinimumSize(560, 320);
    layout->addWidget(grid_, 1);

    auto* buttons = new QDialogButtonBox(this);
    change_ = buttons->addButton(QStringLiteral("Change Colour..."), QDialogButtonBox::ActionRole);
    change_->setObjectName(QStringLiteral("changeColour"));
    QPushButton* saveButton = buttons->addButton(QDialogButtonBox::Save);
    saveButton->setObjectName(QStringLiteral("saveColours"));
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);

    const auto editCurrent = [this] {
        if (grid_->currentRow() >= 0) editRow(grid_->currentRow());
    };
    connect(change_, &QPushButton::clicked, this, editCurrent);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, editCurrent);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) {
        change_->setEnabled(row >= 0 && table_.lines[std::size_t(row)].editable);
    });
    connect(saveButton, &QPushButton::clicked, this, &ColourTableEditor::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &ColourTableEditor::reject);
    change_->setEnabled(false);
}

void ColourTableEditor::fillRow(int row) {
    const ColourLine& line = table_.lines[std::size_t(row)];
    const auto put = [&](int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        if (!line.editable) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setForeground(Qt::gray);
            item->setToolTip(QStringLiteral("Not a colour entry: kept as it is."));
        }
        grid_->setItem(row, column, item);
        return item;
    };
    if (!line.editable) {
        put(kColour, {});
        put(kAlpha, {});
        put(kRange, {});
        put(kDescription, fromFileText(line.text));
        return;
    }
    const ScreenColour colour = toScreenColour(line);
    put(kColour, qtText(line.text.substr(0, 8)))->setIcon(swatch(toQColor(colour)));
    put(kAlpha,
        QStringLiteral("%1 of 80")
            .arg(QString::number(line.alpha, 16).rightJustified(2, QLatin1Char('0')).toUpper()));
    put(kRange, line.scale == 2 ? QStringLiteral("00-80") : QStringLiteral("00-FF"));
    put(kDescription, fromFileText(line.description));
}

void ColourTableEditor::editRow(int row) {
    if (row < 0 || row >= grid_->rowCount() || !table_.lines[std::size_t(row)].editable) return;
    const ScreenColour now = toScreenColour(table_.lines[std::size_t(row)]);
    const std::optional<QColor> picked = pickColour(toQColor(now));
    if (!picked || !picked->isValid()) return;
    setLineColour(table_, std::size_t(row),
                  {picked->red(), picked->green(), picked->blue(), picked->alpha()});
    fillRow(row);
}

bool ColourTableEditor::save() {
    // Another editor may have changed the file since it was read; those
    // changes are not overwritten without asking.
    QFile current(path_);
    if (openRegularFile(current).ok() && current.readAll().toStdString() != savedBytes_) {
        const int answer = messages_.ask(
            QStringLiteral("The colour table %1 was changed by another program since it was "
                           "opened here.\n\nSave anyway and replace those changes?")
                .arg(path_),
            MessageIcon::Warning, {QStringLiteral("Save Anyway"), QStringLiteral("Cancel")});
        if (answer != 0) return false;
    }
    current.close();

    QSaveFile file(path_);
    const QByteArray bytes = QByteArray::fromStdString(table_.bytes);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        messages_.show(QStringLiteral("The colour table %1 could not be saved: %2")
                           .arg(path_, file.errorString()),
                       MessageIcon::Error);
        return false;
    }
    savedBytes_ = table_.bytes;
    if (saved) saved();
    return true;
}

void ColourTableEditor::reject() {
    if (hasUnsavedEdits()) {
        const int answer = messages_.ask(
            QStringLiteral("The colour table %1 has changes that are not saved.").arg(path_),
            MessageIcon::Warning,
            {QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")});
        if (answer == 2 || (answer == 0 && !save())) return;
    }
    QDialog::reject();
}

}  // namespace kelvane
