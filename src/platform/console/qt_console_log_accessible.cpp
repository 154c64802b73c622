#include "platform/console/qt_console_log_accessible.h"

#include <QAccessibleWidget>
#include <QScrollBar>

#include "platform/console/qt_console_log_view.h"

namespace kelvane {

class ConsoleLogAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ConsoleLogAccessible(ConsoleLogView* view)
        : QAccessibleWidget(view, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    // The viewport is the text itself; only the scroll bars are parts of
    // their own.
    int childCount() const override { return int(scrollBars().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QScrollBar*> bars = scrollBars();
        if (index < 0 || index >= bars.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(bars[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(scrollBars().indexOf(qobject_cast<QScrollBar*>(child->object()))) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (QScrollBar* bar : scrollBars())
            if (QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size()).contains(x, y))
                return QAccessible::queryAccessibleInterface(bar);
        return nullptr;
    }

    // No selection, and no caret but the start of the newest line, where a
    // screen reader begins to read when the log gets the focus.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override {
        const std::size_t lines = textView()->log_.size();
        return lines ? view()->lineOffset(lines - 1) : 0;
    }
    void setCursorPosition(int) override {}

    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }
    QString text(int startOffset, int endOffset) const override {
        const QString& text = textView()->wholeText();
        startOffset = qBound(0, startOffset, int(text.size()));
        endOffset =
            endOffset < 0 ? int(text.size()) : qBound(startOffset, endOffset, int(text.size()));
        return text.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(textView()->wholeText().size()); }

    QRect characterRect(int offset) const override {
        const QRect rect = view()->characterRect(offset);
        if (rect.isEmpty()) return {};
        return QRect(view()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return view()->offsetAt(view()->viewport()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override {
        view()->scrollToLine(view()->lineAtOffset(startIndex));
    }
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

  private:
    ConsoleLogView* view() const { return static_cast<ConsoleLogView*>(widget()); }
    // The view once its text is read: from then on it announces new output.
    ConsoleLogView* textView() const {
        view()->read_ = true;
        return view();
    }
    QList<QScrollBar*> scrollBars() const {
        QList<QScrollBar*> bars;
        for (QScrollBar* bar : {view()->verticalScrollBar(), view()->horizontalScrollBar()})
            if (bar->isVisible()) bars.push_back(bar);
        return bars;
    }
};

namespace {

QAccessibleInterface* consoleLogFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<ConsoleLogView*>(object)) return new ConsoleLogAccessible(view);
    return nullptr;
}

}  // namespace

void installConsoleLogAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(consoleLogFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace kelvane
