#pragma once
// Inside the Linux side: a thread of its own for what talks to the sound server and the speech
// service, so that neither, hung or slow, ever holds up the windows. Work is posted to it; its end
// waits a moment only, and a thread still held by a service then is left to the process's end.
#include <QThread>
#include <functional>
#include <memory>

namespace qo::platform {

class AudioThread {
public:
    AudioThread();
    // Runs `last` on the thread (to let go of what was made there), then ends it, waiting at most
    // `kEndMs` for that.
    ~AudioThread();
    AudioThread(const AudioThread&) = delete;
    AudioThread& operator=(const AudioThread&) = delete;

    static constexpr int kEndMs = 300;

    // Runs `work` on the thread, after what was posted before it; returns at once.
    void post(std::function<void()> work);
    // What the end runs on the thread before it stops.
    void atEnd(std::function<void()> last) { last_ = std::move(last); }

private:
    std::unique_ptr<QThread> thread_;
    QObject* home_ = nullptr; // lives on the thread; work is delivered through it
    std::function<void()> last_;
};

} // namespace qo::platform
