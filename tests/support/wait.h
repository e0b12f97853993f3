#pragma once
// Waiting in GUI tests: process events until a condition holds, never a fixed sleep.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace qotest {

// Returns whether `done` became true within `ms` milliseconds of event processing.
inline bool waitUntil(const std::function<bool()>& done, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Lets queued events (deferred deletions, posted messages) run once.
inline void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace qotest
