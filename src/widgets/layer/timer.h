#pragma once
// A one-shot timer on the event loop: what it calls runs like any toolkit event (inside a
// delivery, a fault told to the user). Stopping it, or its end, cancels what has not run.
#include <memory>

#include "widgets/layer/small_function.h"

class QTimer;

namespace qo {

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Calls `fire` once, `ms` milliseconds from now; a timer already running starts over.
    void start(int ms, SmallFunction<void()> fire);
    // Calls `fire` once every window shown has drawn its first frame (at the next turn when that
    // has long happened, or when no window is shown): for what the first sight of the program does
    // not need, so the windows come up sooner.
    void startAfterFirstFrame(SmallFunction<void()> fire);
    void stop();
    bool active() const;

private:
    friend class FirstFrameWatch;
    std::unique_ptr<QTimer> timer_;
    bool waitingForFrame_ = false;
    SmallFunction<void()> fire_;
};

} // namespace qo
