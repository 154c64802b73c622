#include "platform/qt_tool_console.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"
#include "platform/qt_tool_outcome_text.h"

namespace kelvane {

ToolConsole::ToolConsole(QWidget* parent)
    : QDialog(parent),
      log_(new QPlainTextEdit(this)),
      stop_(new QPushButton(QStringLiteral("Stop"), this)),
      close_(new QPushButton(QStringLiteral("Close"), this)) {
    setObjectName(QStringLiteral("toolConsole"));
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setWindowModality(Qt::WindowModal);

    log_->setObjectName(QStringLiteral("toolConsoleLog"));
    log_->setReadOnly(true);
    log_->setMaximumBlockCount(kMaxLogLines);
    log_->setLineWrapMode(QPlainTextEdit::NoWrap);
    log_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    stop_->setObjectName(QStringLiteral("toolConsoleStop"));
    close_->setObjectName(QStringLiteral("toolConsoleClose"));
    close_->setEnabled(false);
    stop_->setAutoDefault(false);
    close_->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(stop_, QDialogButtonBox::ActionRole);
    buttons->addButton(close_, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(log_);
    layout->addWidget(buttons);
    resize(720, 420);

    connect(stop_, &QPushButton::clicked, this, [this] {
        stop_->setEnabled(false);
        emit stopRequested();
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(40);
    connect(&flushTimer_, &QTimer::timeout, this, [this] { flushPending(); });
}

void ToolConsole::flushPending() const {
    if (pending_.isEmpty()) return;
    // Lines the log would drop at once are not worth laying out.
    if (pending_.size() > kMaxLogLines)
        pending_.erase(pending_.begin(), pending_.end() - kMaxLogLines);
    log_->appendPlainText(pending_.join(QLatin1Char('\n')));
    pending_.clear();
}

void ToolConsole::beginStep(const QString& commandLine) {
    // A blank line sets each later step apart from the one before.
    flushPending();
    if (anyStep_) log_->appendPlainText(QString());
    anyStep_ = true;
    log_->appendPlainText(commandLine);
    stop_->setEnabled(true);
}

void ToolConsole::appendOutput(const QString& line) {
    pending_.push_back(line);
    if (!flushTimer_.isActive()) flushTimer_.start();
}

void ToolConsole::endStep(const ToolOutcome& outcome) {
    flushPending();
    log_->appendPlainText(describeOutcome(outcome));
}

void ToolConsole::finish() {
    running_ = false;
    stop_->setEnabled(false);
    close_->setEnabled(true);
    close_->setDefault(true);
    close_->setFocus();
}

QString ToolConsole::logText() const {
    flushPending();
    return log_->toPlainText();
}

void ToolConsole::closeEvent(QCloseEvent* event) {
    // The run goes on until it ends or the user presses Stop.
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ToolConsole::reject() {
    if (!running_) QDialog::reject();
}

}  // namespace kelvane
