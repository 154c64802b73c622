#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <vector>

#include "platform/console/output_log.h"

namespace kelvane {

// Shows an OutputLog and lays out only the lines that are on screen, so its
// cost follows the height of the window, not how much a tool prints. One row
// a line, no wrapping; cut lines end in a coloured mark. While the view is
// scrolled to the end it follows new lines; scrolled up, it keeps showing the
// same lines until they leave the log.
//
// The log changes without telling the view: refresh() brings the view up to
// date and is cheap when nothing changed.
//
// Assistive technology reads the newest kept lines, up to about 256 K
// characters, as one text (see qt_console_log_accessible.h) and hears of new
// output a few times a second at most, each time the newest line only, so
// that a flood of output does not flood it. None of this costs anything
// while nothing reads it.
class ConsoleLogView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit ConsoleLogView(const OutputLog& log, QWidget* parent = nullptr);

    void refresh();
    // The colour of a line that says a step ended well or not.
    static QColor outcomeColour(bool good);
    // The newest kept lines as shown, joined by "\n": as many as about
    // 256 K characters hold, and the newest line always. Built when asked and
    // kept until the log changes.
    const QString& wholeText() const;
    // Where kept line `index` starts in wholeText(); -1 for a line older
    // than the text holds.
    int lineOffset(std::size_t index) const;
    // The kept line that holds offset `offset` of wholeText().
    std::size_t lineAtOffset(int offset) const;
    // Where the character at `offset` of wholeText() is drawn, in viewport
    // coordinates; an empty rectangle when it is scrolled out of view.
    QRect characterRect(int offset) const;
    // The offset of wholeText() drawn at `point` of the viewport, or -1.
    int offsetAt(QPoint point) const;
    // Scrolls so that kept line `index` is in view.
    void scrollToLine(std::size_t index);

  signals:
    // New output was announced to assistive technology: `line`, which starts
    // at `offset` of wholeText().
    void announced(int offset, const QString& line);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int rowHeight() const;
    int visibleRows() const;
    void updateScrollBars();
    void userScrolled(int value);
    void announceNewOutput();
    // The text of one kept line as shown (tabs expanded, cut mark added).
    QString displayText(std::size_t index) const;
    friend class ConsoleLogAccessible;

    const OutputLog& log_;
    std::uint64_t shownChanges_ = ~std::uint64_t{0};
    bool following_ = true;
    bool adjusting_ = false;
    std::uint64_t topLine_ = 0;  // counted from the first line ever appended
    int charWidth_ = 8;

    // wholeText(), the kept line it starts with and where each of its lines
    // starts in it, for log_.changes() == textChanges_.
    mutable QString text_;
    mutable std::size_t firstReadable_ = 0;
    mutable std::vector<int> lineStarts_;
    mutable std::uint64_t textChanges_ = ~std::uint64_t{0};
    // Set once assistive technology (or a test) has read the text.
    mutable bool read_ = false;
    std::uint64_t announcedChanges_ = ~std::uint64_t{0};
    QElapsedTimer sinceAnnounced_;
    QTimer announceTimer_;
};

}  // namespace kelvane
