#pragma once
// What the toolkit benchmarks share: each measurement runs in a child process of its own, so the
// peak memory of one does not hide another's, and the parent never touches the toolkit, which
// keeps fork() safe.
#include <QApplication>
#include <QFile>
#include <cstdlib>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace qobench {

// The process's peak resident memory (VmHWM) in kilobytes, or 0 when it cannot be read.
inline double PeakKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

// Runs `measure` (returning a trivially copyable R with a bool `ok`) in a child process with its
// own offscreen QApplication (or none, when `makeApplication` is false and the measurement makes
// its own), and hands its result back through a pipe.
template <class R, class F> R RunInChild(const char* programName, F&& measure, bool makeApplication = true) {
    int fds[2];
    if (pipe(fds) != 0) return R{};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        int argc = 1;
        char* argv[] = {const_cast<char*>(programName), nullptr};
        std::unique_ptr<QApplication> app;
        if (makeApplication) app = std::make_unique<QApplication>(argc, argv);
        const R r = std::forward<F>(measure)();
        const ssize_t written = write(fds[1], &r, sizeof r);
        _exit(written == sizeof r ? 0 : 1);
    }
    close(fds[1]);
    R r{};
    const ssize_t got = read(fds[0], &r, sizeof r);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (got != sizeof r) r.ok = false;
    return r;
}

} // namespace qobench
