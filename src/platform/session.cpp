// A session's end reaches the toolkit as a request to save: from the session manager on Linux, as the
// query that comes before a log-off or shut-down on Windows. Either way the program closes itself, as
// its close button would, before the session takes it down. Each side adds what else its system sends
// a program it wants gone (session_end.h).
#include "platform/session.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <chrono>
#include <thread>

#include "platform/session_end.h"

namespace qo::platform {
namespace {

std::function<void()>& CloseProgram() {
    static std::function<void()> close;
    return close;
}

} // namespace

void EndSession() {
    if (CloseProgram()) CloseProgram()();
}

void OnSessionEnd(std::function<void()> close) {
    static QMetaObject::Connection commit, save;
    QObject::disconnect(commit);
    QObject::disconnect(save);
    CloseProgram() = std::move(close);
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || !CloseProgram()) return;
    // A saved session would start the program again with the session; it keeps its own game instead.
    save = QObject::connect(app, &QGuiApplication::saveStateRequest, app, [](QSessionManager& manager) {
        manager.setRestartHint(QSessionManager::RestartNever);
    });
    commit = QObject::connect(app, &QGuiApplication::commitDataRequest, app,
                              [](QSessionManager&) { EndSession(); });
    WatchEndRequests();
}

void EndProcessWithin(int ms, int exitCode) {
    std::thread([ms, exitCode] {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        EndProcessNow(exitCode);
    }).detach();
}

} // namespace qo::platform
