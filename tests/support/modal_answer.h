#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kelvane::testing {

// Runs `act` on the next modal window of type T once it is open (it is looked
// for every few milliseconds for up to ten seconds), so that a test can answer
// a dialog that the code under test shows with exec(). Deleting the returned
// watch (while it is still there) withdraws the answer.
template <class T>
QPointer<QTimer> whenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && clock.elapsed() < 10000) return;
        timer->stop();
        timer->deleteLater();
        if (dialog) act(dialog);
    });
    timer->start(5);
    return timer;
}

}  // namespace kelvane::testing
