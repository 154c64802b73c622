#include "platform/console/qt_console_log_view.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "platform/console/qt_console_log_accessible.h"

namespace kelvane {
namespace {

constexpr int kMargin = 4;
constexpr int kTabStop = 8;
// New output is announced at most this often.
constexpr int kAnnounceIntervalMs = 300;
// Assistive technology reads the newest kept lines up to this many
// characters (and always the newest line whole): the text is built anew for
// each announcement, and the whole log could hold ten million.
constexpr qsizetype kMaxReadableChars = 256 * 1024;

// Tool output as text: tabs become blanks up to the next tab stop, other
// control characters a visible replacement, so that the columns line up.
QString decode(std::string_view bytes) {
    QString text = QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
    bool plain = true;
    for (QChar c : text) {
        if (c.unicode() < 0x20) {
            plain = false;
            break;
        }
    }
    if (plain) return text;
    QString shown;
    shown.reserve(text.size() + 16);
    for (QChar c : text) {
        if (c == QLatin1Char('\t')) {
            shown += QString(kTabStop - shown.size() % kTabStop, QLatin1Char(' '));
        } else if (c.unicode() < 0x20) {
            shown += QChar(0xFFFD);
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace

ConsoleLogView::ConsoleLogView(const OutputLog& log, QWidget* parent)
    : QAbstractScrollArea(parent), log_(log) {
    // Before anything asks for the view's interface, which Qt then keeps.
    installConsoleLogAccessible();
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    charWidth_ = qMax(1, fontMetrics().horizontalAdvance(QLatin1Char('M')));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ConsoleLogView::userScrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    setAccessibleName(QStringLiteral("Tool output"));
    announceTimer_.setSingleShot(true);
    connect(&announceTimer_, &QTimer::timeout, this, &ConsoleLogView::announceNewOutput);
}

QColor ConsoleLogView::outcomeColour(bool good) {
    return good ? QColor(0x1b, 0x7a, 0x2e) : QColor(0xb0, 0x1c, 0x1c);
}

int ConsoleLogView::rowHeight() const {
    return qMax(1, fontMetrics().lineSpacing());
}

int ConsoleLogView::visibleRows() const {
    return qMax(1, (viewport()->height() - kMargin) / rowHeight());
}

void ConsoleLogView::refresh() {
    if (log_.changes() == shownChanges_) return;
    shownChanges_ = log_.changes();
    updateScrollBars();
    viewport()->update();
    announceNewOutput();
}

void ConsoleLogView::announceNewOutput() {
    if (!read_ && !QAccessible::isActive()) return;
    if (log_.changes() == announcedChanges_) return;
    if (sinceAnnounced_.isValid() && sinceAnnounced_.elapsed() < kAnnounceIntervalMs) {
        // The newest line at the end of the interval: the last line of a
        // burst is always heard.
        if (!announceTimer_.isActive())
            announceTimer_.start(int(kAnnounceIntervalMs - sinceAnnounced_.elapsed()));
        return;
    }
    // The newest whole line: a line still being printed would be heard cut.
    std::size_t last = log_.size() - (log_.lastLineOpen() ? 1 : 0);
    while (last > 0 && log_.line(last - 1).text.empty() && log_.line(last - 1).cutBytes == 0)
        --last;
    if (last == 0) return;
    const int offset = lineOffset(last - 1);
    if (offset < 0) return;  // older than the readable text
    sinceAnnounced_.start();
    announcedChanges_ = log_.changes();
    const QString line = displayText(last - 1);
    QAccessibleTextInsertEvent event(this, offset, line);
    QAccessible::updateAccessibility(&event);
    emit announced(offset, line);
}

const QString& ConsoleLogView::wholeText() const {
    if (textChanges_ == log_.changes()) return text_;
    textChanges_ = log_.changes();
    // The newest lines first, as many as the bound holds.
    std::vector<QString> lines;
    qsizetype size = 0;
    std::size_t first = log_.size();
    while (first > 0) {
        QString line = displayText(first - 1);
        if (!lines.empty() && size + line.size() + 1 > kMaxReadableChars) break;
        size += line.size() + 1;
        lines.push_back(std::move(line));
        --first;
    }
    firstReadable_ = first;
    text_.clear();
    text_.reserve(size);
    lineStarts_.clear();
    lineStarts_.reserve(lines.size());
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (!lineStarts_.empty()) text_ += QLatin1Char('\n');
        lineStarts_.push_back(int(text_.size()));
        text_ += *line;
    }
    return text_;
}

int ConsoleLogView::lineOffset(std::size_t index) const {
    const QString& text = wholeText();
    if (index < firstReadable_) return -1;
    const std::size_t at = index - firstReadable_;
    return at < lineStarts_.size() ? lineStarts_[at] : int(text.size());
}

std::size_t ConsoleLogView::lineAtOffset(int offset) const {
    wholeText();
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
    const std::size_t at =
        after == lineStarts_.begin() ? 0 : std::size_t(after - lineStarts_.begin() - 1);
    return firstReadable_ + at;
}

// Where readable line `at` (counted from firstReadable_) ends in the text.
static int lineEnd(const std::vector<int>& starts, std::size_t at, const QString& text) {
    return at + 1 < starts.size() ? starts[at + 1] - 1 : int(text.size());
}

QRect ConsoleLogView::characterRect(int offset) const {
    const QString& text = wholeText();
    if (lineStarts_.empty() || offset < 0 || offset > text.size()) return {};
    const std::size_t line = lineAtOffset(offset);
    const std::size_t first = std::size_t(verticalScrollBar()->value());
    if (line < first || line > first + std::size_t(visibleRows())) return {};
    const std::size_t at = line - firstReadable_;
    const int start = lineStarts_[at];
    const int end = lineEnd(lineStarts_, at, text);
    const QFontMetrics metrics = fontMetrics();
    const int x = kMargin - horizontalScrollBar()->value() +
                  metrics.horizontalAdvance(text.mid(start, offset - start));
    const int width = offset < end ? metrics.horizontalAdvance(text.at(offset)) : charWidth_;
    return {x, kMargin + int(line - first) * rowHeight(), width, rowHeight()};
}

int ConsoleLogView::offsetAt(QPoint point) const {
    if (point.y() < kMargin) return -1;
    const std::size_t line = std::size_t(verticalScrollBar()->value()) +
                             std::size_t((point.y() - kMargin) / rowHeight());
    const QString& text = wholeText();
    if (line < firstReadable_ || line - firstReadable_ >= lineStarts_.size()) return -1;
    const std::size_t at = line - firstReadable_;
    const int start = lineStarts_[at];
    const int end = lineEnd(lineStarts_, at, text);
    const int column = (point.x() - kMargin + horizontalScrollBar()->value()) / charWidth_;
    return start + qBound(0, column, end - start);
}

void ConsoleLogView::scrollToLine(std::size_t index) {
    QScrollBar* vertical = verticalScrollBar();
    const int first = vertical->value();
    if (int(index) >= first && int(index) < first + visibleRows()) return;
    vertical->setValue(int(index) - visibleRows() / 2);
}

void ConsoleLogView::updateScrollBars() {
    adjusting_ = true;
    const int rows = visibleRows();
    const int lines = static_cast<int>(log_.size());
    QScrollBar* vertical = verticalScrollBar();
    vertical->setPageStep(rows);
    vertical->setRange(0, qMax(0, lines - rows));
    if (following_) {
        vertical->setValue(vertical->maximum());
    } else {
        // Lines dropped at the top move the lines still shown up the log.
        const qint64 index = qint64(topLine_) - qint64(log_.droppedLines());
        vertical->setValue(int(qBound(qint64(0), index, qint64(vertical->maximum()))));
    }
    topLine_ = log_.droppedLines() + std::uint64_t(vertical->value());

    const int markWidth = 48;
    const int width = int(qMin<std::size_t>(log_.longestLine(), 1 << 20)) * charWidth_ +
                      markWidth * charWidth_ + 2 * kMargin;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(charWidth_ * 4);
    horizontal->setRange(0, qMax(0, width - viewport()->width()));
    adjusting_ = false;
}

void ConsoleLogView::userScrolled(int value) {
    if (!adjusting_) {
        following_ = value >= verticalScrollBar()->maximum();
        topLine_ = log_.droppedLines() + std::uint64_t(value);
    }
    viewport()->update();
}

QString ConsoleLogView::displayText(std::size_t index) const {
    const OutputLog::Line line = log_.line(index);
    QString text = decode(line.text);
    if (line.cutBytes) text += QString::fromStdString(cutMark(line.cutBytes));
    return text;
}

void ConsoleLogView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QFontMetrics metrics = fontMetrics();
    const int height = rowHeight();
    const std::size_t first = std::size_t(verticalScrollBar()->value());
    const std::size_t end = qMin(log_.size(), first + std::size_t(visibleRows()) + 1);
    const int x = kMargin - horizontalScrollBar()->value();
    // Colours, not a bold face, set the program's own lines apart: loading a
    // second face of the font would stall the first run noticeably.
    const QColor text = palette().color(QPalette::Text);
    const QColor muted = palette().color(QPalette::PlaceholderText);
    const QColor command = QColor(0x1f, 0x4e, 0x9e);
    const QColor success = outcomeColour(true);
    const QColor failure = outcomeColour(false);

    int baseline = kMargin + metrics.ascent();
    for (std::size_t i = first; i < end; ++i, baseline += height) {
        const OutputLog::Line line = log_.line(i);
        const QString shown = decode(line.text);
        switch (line.kind) {
            case OutputLog::Kind::Output:
                painter.setPen(text);
                break;
            case OutputLog::Kind::Command:
                painter.setPen(command);
                break;
            case OutputLog::Kind::Success:
                painter.setPen(success);
                break;
            case OutputLog::Kind::Failure:
                painter.setPen(failure);
                break;
        }
        painter.drawText(x, baseline, shown);
        if (line.cutBytes) {
            // The mark stays in view at the right edge while the rest of the
            // line is off screen, so a cut line is seen as cut at once.
            const QString mark = QString::fromStdString(cutMark(line.cutBytes));
            const int textEnd = x + metrics.horizontalAdvance(shown);
            const int right = viewport()->width() - kMargin;
            const int markX = qMin(textEnd, right - metrics.horizontalAdvance(mark));
            if (markX < textEnd)
                painter.fillRect(markX, baseline - metrics.ascent(), right + kMargin - markX,
                                 height, palette().color(QPalette::Base));
            painter.setPen(muted);
            painter.drawText(markX, baseline, mark);
        }
    }
}

void ConsoleLogView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ConsoleLogView::keyPressEvent(QKeyEvent* event) {
    QScrollBar* vertical = verticalScrollBar();
    switch (event->key()) {
        case Qt::Key_Home:
            vertical->setValue(0);
            return;
        case Qt::Key_End:
            vertical->setValue(vertical->maximum());
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace kelvane
