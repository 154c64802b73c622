#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <ostream>

namespace kelvane::testing {

// One QApplication for the whole test program.
class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "help_qt_test";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

  private:
    QApplication* app_ = nullptr;
};

// Delivers a plain mouse movement (no button) to `widget` at `pos`, the way
// the window system does: through the application, so filters run and an
// ignored movement travels on to the parent.
inline void moveMouse(QWidget* widget, QPoint pos = {2, 2}) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Runs the deletions of windows that closed themselves.
inline void flushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace kelvane::testing

// Readable colours in failure messages.
inline void PrintTo(const QColor& colour, std::ostream* os) {
    *os << colour.name().toStdString();
}
