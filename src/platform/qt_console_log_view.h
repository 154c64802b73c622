#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include "platform/output_log.h"

namespace kelvane {

// Shows an OutputLog and lays out only the lines that are on screen, so its
// cost follows the height of the window, not how much a tool prints. One row
// a line, no wrapping; cut lines end in a coloured mark. While the view is
// scrolled to the end it follows new lines; scrolled up, it keeps showing the
// same lines until they leave the log.
//
// The log changes without telling the view: refresh() brings the view up to
// date and is cheap when nothing changed.
class ConsoleLogView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit ConsoleLogView(const OutputLog& log, QWidget* parent = nullptr);

    void refresh();
    // The text of one kept line as shown (tabs expanded, cut mark added).
    QString displayText(std::size_t index) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int rowHeight() const;
    int visibleRows() const;
    void updateScrollBars();
    void userScrolled(int value);

    const OutputLog& log_;
    std::uint64_t shownChanges_ = ~std::uint64_t{0};
    bool following_ = true;
    bool adjusting_ = false;
    std::uint64_t topLine_ = 0;  // counted from the first line ever appended
    int charWidth_ = 8;
};

}  // namespace kelvane
