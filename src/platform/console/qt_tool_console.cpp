#include "platform/console/qt_tool_console.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"
#include "platform/console/qt_busy_indicator.h"
#include "platform/console/qt_console_log_view.h"
#include "platform/desktop/qt_open_with_report.h"
#include "platform/qt_text.h"

namespace kelvane {
namespace {

// Output on screen at most this often: often enough to look live, rarely
// enough that a flood costs little.
constexpr int kRepaintIntervalMs = 40;

// A word longer than this may break anywhere, so a text wraps inside any
// width that holds this many characters.
constexpr int kLongestUnbrokenRun = 16;

// Lets a long command line or path wrap after path separators, underscores
// and blanks as well as inside a name too long for a line of its own.
QString wrappable(const QString& line) {
    const QChar breakHere(0x200B);
    QString text;
    text.reserve(line.size() * 2);
    int run = 0;
    for (QChar c : line) {
        if (run == kLongestUnbrokenRun) {
            text += breakHere;
            run = 0;
        }
        text += c;
        ++run;
        if (c.isSpace()) run = 0;
        if (c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char('"') ||
            c == QLatin1Char('_')) {
            text += breakHere;
            run = 0;
        }
    }
    return text;
}

QString programName(const QString& commandLine) {
    QString first = commandLine.trimmed();
    if (first.startsWith(QLatin1Char('"'))) {
        first = first.mid(1, first.indexOf(QLatin1Char('"'), 1) - 1);
    } else {
        first = first.section(QLatin1Char(' '), 0, 0);
    }
    return QFileInfo(first).fileName();
}

}  // namespace

ToolConsole::ToolConsole(QWidget* parent, DesktopServices* desktop, MessageBoxes* messages)
    : QDialog(parent),
      title_(new QLabel(this)),
      command_(new QLabel(this)),
      busy_(new BusyIndicator(this)),
      view_(new ConsoleLogView(log_, this)),
      outcome_(new QLabel(this)),
      copy_(new QPushButton(QStringLiteral("Copy Log"), this)),
      openFolder_(new QPushButton(QStringLiteral("Open Folder"), this)),
      stop_(new QPushButton(QStringLiteral("Stop"), this)),
      close_(new QPushButton(QStringLiteral("Close"), this)),
      desktop_(desktop),
      messages_(messages) {
    setObjectName(QStringLiteral("toolConsole"));
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setWindowModality(Qt::WindowModal);

    title_->setObjectName(QStringLiteral("toolConsoleTitle"));
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    command_->setObjectName(QStringLiteral("toolConsoleCommand"));
    command_->setWordWrap(true);
    command_->setTextFormat(Qt::PlainText);
    busy_->setObjectName(QStringLiteral("toolConsoleBusy"));
    view_->setObjectName(QStringLiteral("toolConsoleLog"));
    outcome_->setObjectName(QStringLiteral("toolConsoleOutcome"));
    outcome_->setWordWrap(true);
    outcome_->setTextFormat(Qt::PlainText);
    outcome_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outcome_->hide();

    copy_->setObjectName(QStringLiteral("toolConsoleCopy"));
    openFolder_->setObjectName(QStringLiteral("toolConsoleOpenFolder"));
    openFolder_->setEnabled(false);
    openFolder_->setVisible(desktop_ && messages_);
    stop_->setObjectName(QStringLiteral("toolConsoleStop"));
    close_->setObjectName(QStringLiteral("toolConsoleClose"));
    close_->setEnabled(false);
    for (QPushButton* button : {copy_, openFolder_, stop_, close_}) button->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(copy_, QDialogButtonBox::ActionRole);
    buttons->addButton(openFolder_, QDialogButtonBox::ActionRole);
    buttons->addButton(stop_, QDialogButtonBox::ActionRole);
    buttons->addButton(close_, QDialogButtonBox::RejectRole);

    auto* heading = new QHBoxLayout;
    heading->addWidget(title_, 1);
    heading->addWidget(busy_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(command_);
    layout->addWidget(view_, 1);
    layout->addWidget(outcome_);
    layout->addWidget(buttons);
    resize(720, 440);

    connect(stop_, &QPushButton::clicked, this, [this] {
        stop_->setEnabled(false);
        emit stopRequested();
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(copy_, &QPushButton::clicked, this, &ToolConsole::copyLog);
    connect(openFolder_, &QPushButton::clicked, this, &ToolConsole::openFolder);

    repaintTimer_.setSingleShot(true);
    repaintTimer_.setInterval(kRepaintIntervalMs);
    connect(&repaintTimer_, &QTimer::timeout, view_, &ConsoleLogView::refresh);
}

ToolConsole::~ToolConsole() = default;

void ToolConsole::stepStarted(const ToolStep& step) {
    // A job that starts nothing shows no console.
    if (!isVisible()) show();
    const QString commandLine = qtText(step.commandLine);
    // A blank line sets each later step apart from the one before.
    if (log_.size() > 0) log_.appendLine({}, OutputLog::Kind::Output);
    log_.appendLine(commandLine.toLocal8Bit().toStdString(), OutputLog::Kind::Command);
    const QString title = step.title.empty() ? programName(commandLine) : qtText(step.title);
    title_->setText(title);
    setWindowTitle(title.isEmpty()
                       ? QString::fromUtf8(kProgramTitle)
                       : title + QStringLiteral(" - ") + QString::fromUtf8(kProgramTitle));
    command_->setAccessibleName(commandLine);
    command_->setText(wrappable(commandLine));
    busy_->setBusy(true);
    stop_->setEnabled(true);
    refreshNow();
}

void ToolConsole::stepOutput(std::string_view bytes) {
    log_.appendOutput(bytes);
    if (!repaintTimer_.isActive()) repaintTimer_.start();
}

void ToolConsole::stepEnded(const ToolOutcome& outcome, const JobOutput* output,
                            const OutputFact& fact) {
    // A last line without a line end ends here.
    log_.endOutput();
    const QString file = output ? qtText(output->path) : QString();
    const std::string mustBe = output ? output->mustBe : std::string();
    const bool good = stepWentWell(outcome, output != nullptr, fact);
    const QString closingLine = qtText(
        kelvane::closingLine(outcome, fact, stdText(QDir::toNativeSeparators(file)), mustBe));
    log_.appendLine(closingLine.toLocal8Bit().toStdString(),
                    good ? OutputLog::Kind::Success : OutputLog::Kind::Failure);
    showOutcome(closingLine, good);
    if (fact.written) writtenFile_ = file;
    // The end of a tool shows at once, not at the next tick.
    refreshNow();
}

void ToolConsole::showOutcome(const QString& closingLine, bool good) {
    QPalette palette = outcome_->palette();
    palette.setColor(QPalette::WindowText, ConsoleLogView::outcomeColour(good));
    outcome_->setPalette(palette);
    // Read without the breaks that let it wrap; the new name is announced
    // (once: a label that has a name of its own does not announce its text).
    outcome_->setAccessibleName(closingLine);
    outcome_->setText(wrappable(closingLine));
    outcome_->show();
}

void ToolConsole::refreshNow() {
    repaintTimer_.stop();
    view_->refresh();
}

void ToolConsole::finish() {
    running_ = false;
    refreshNow();
    busy_->setBusy(false);
    stop_->setEnabled(false);
    openFolder_->setEnabled(!writtenFile_.isEmpty());
    close_->setEnabled(true);
    close_->setDefault(true);
    // The focus lands on Close, and a screen reader reads how the run ended
    // with it.
    close_->setAccessibleDescription(outcome_->accessibleName());
    close_->setFocus();
}

QString ToolConsole::logText() const {
    return QString::fromLocal8Bit(log_.text());
}

void ToolConsole::copyLog() {
    QGuiApplication::clipboard()->setText(logText());
}

void ToolConsole::openFolder() {
    if (!desktop_ || !messages_ || writtenFile_.isEmpty()) return;
    openContainingFolder(*desktop_, *messages_, writtenFile_);
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
