#pragma once

#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>

// For the start-up benchmark: once `window` has painted for the first time
// and the event loop has nothing left to do, prints "<CLOCK_MONOTONIC ns>
// <peak memory KiB>" on stdout and ends the program at once.
class ReportWhenIdle : public QObject {
  public:
    explicit ReportWhenIdle(QWidget& window) { window.installEventFilter(this); }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, [] { report(); });
        }
        return false;
    }

  private:
    static void report() {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        long peak = 0;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:")) peak = line.mid(6).trimmed().split(' ')[0].toLong();
        }
        std::printf("%lld %ld\n", ts.tv_sec * 1000000000LL + ts.tv_nsec, peak);
        std::fflush(stdout);
        _exit(0);
    }
    bool painted_ = false;
};
