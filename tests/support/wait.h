#pragma once
// Waiting in GUI tests: process events until a condition holds, never a fixed sleep.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
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

// Returns whether the event queue ran empty within `ms` milliseconds: whatever an action queued for
// later turns of the loop (a list's layout, widgets made or let go, posted messages, repaints), and
// whatever that queued in turn, has run. For an action whose consequences are not one thing to
// watch for; where they are, wait for that thing.
inline bool waitUntilIdle(int ms = 2000) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QElapsedTimer t;
    t.start();
    while (dispatcher->processEvents(QEventLoop::AllEvents)) {
        if (t.elapsed() > ms) return false;
    }
    return true;
}

// Deletes now what was handed to deleteLater() outside any event loop. The toolkit deletes such
// objects only once a loop runs, and the tests run none.
inline void runDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Three passes of the event loop, for a test that must show that something does NOT happen, or
// that the toolkit's own asynchronous work passes without harm: there is no condition to wait for.
inline void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace qotest
