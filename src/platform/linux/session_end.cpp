// What a Linux system sends a program it wants gone: SIGTERM (a log-out, a shut-down, `kill`) and
// SIGHUP (its terminal closed). A handler may do next to nothing, so it only writes a byte to a pipe
// the event loop watches; the loop then closes the program as its close button does, and the run
// ends as a closed run, not as a crash.
#include "platform/session_end.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace qo::platform {
namespace {

int g_wake[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_wake[0], &byte, 1);
}

} // namespace

void WatchEndRequests() {
    static bool watching = false;
    if (watching || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_wake) != 0) return;
    watching = true;
    auto* notifier = new QSocketNotifier(g_wake[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char bytes[16];
        [[maybe_unused]] const auto read = ::read(g_wake[1], bytes, sizeof bytes);
        EndSession();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

void EndProcessNow(int exitCode) {
    std::fflush(nullptr);
    ::_exit(exitCode);
}

} // namespace qo::platform
