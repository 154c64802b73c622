#include "skin/qt_font_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPalette>
#include <QPlainTextEdit>
#include <algorithm>
#include <cmath>

#include "platform/layout/qt_design_layout.h"
#include "platform/qt_text.h"
#include "skin/font_help_text.h"
#include "skin/qt_question_mark_icon.h"
#include "ui_qt_font_window.h"

namespace kelvane {
namespace {

const QColor kLightGrey(0xC0, 0xC0, 0xC0);

void paintLightGrey(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kLightGrey);
    palette.setColor(QPalette::Base, kLightGrey);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

constexpr int kMargin = 8;

// Grows the text box so that every line shows whole in the current font; the
// box then never needs scroll bars (which would otherwise claim room and
// demand each other).
void fitTextWithoutScrolling(QPlainTextEdit* text) {
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(text->font());
    const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const int chrome = 2 * text->frameWidth() +
                       2 * static_cast<int>(std::ceil(text->document()->documentMargin())) + 4;
    const QSize needed(widest + chrome, metrics.lineSpacing() * int(lines.size()) + chrome);
    text->resize(text->size().expandedTo(needed));
}

}  // namespace

FontWindow::FontWindow(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::FontWindow>()) {
    ui_->setupUi(this);
    DesignLayout layout(this);
    setAttribute(Qt::WA_DeleteOnClose);
    paintLightGrey(this);
    paintLightGrey(ui_->Text3);

    ui_->Image1->setPixmap(questionMarkIcon());
    ui_->Label1->setText(qtText(kFontWindowLabel));
    ui_->Text3->setPlainText(qtText(fontInstructions()));
    ui_->Text3->setAccessibleName(QStringLiteral("Font instructions"));
    // Sized for the font in use; then the instructions get all the room they need.
    layout.fit(fontScale(font()));
    fitTextWithoutScrolling(ui_->Text3);
    setFixedSize(std::max(width(), ui_->Text3->geometry().right() + kMargin + 1),
                 std::max(height(), ui_->Text3->geometry().bottom() + kMargin + 1));

    if (owner) {
        const QRect over = owner->frameGeometry();
        move(over.center() - rect().center());
        owner->installEventFilter(this);
    }
}

FontWindow::~FontWindow() = default;

bool FontWindow::eventFilter(QObject* watched, QEvent* event) {
    // The owner going away (not merely minimised, which hides it
    // spontaneously) closes this window too.
    if (watched == parent() && event->type() == QEvent::Hide && !event->spontaneous()) close();
    return QDialog::eventFilter(watched, event);
}

void FontWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    event->accept();
}

// Escape closes the window like its close box, so it is unloaded either way.
void FontWindow::reject() {
    close();
}

void showFontWindow(QWidget* owner) {
    if (!owner) {
        (new FontWindow(nullptr))->show();
        return;
    }
    // One window per owner: an open one is only brought to the front. A window
    // that is closing is left to its deferred deletion and a fresh one made.
    for (FontWindow* open : owner->findChildren<FontWindow*>(Qt::FindDirectChildrenOnly)) {
        if (!open->isClosing() && !open->isHidden()) {
            open->show();
            open->raise();
            open->activateWindow();
            return;
        }
    }
    auto* window = new FontWindow(owner);
    window->show();
}

}  // namespace kelvane
