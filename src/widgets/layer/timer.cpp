#include "widgets/layer/timer.h"

#include <QTimer>

#include "widgets/layer/delivery.h"

namespace qo {

Timer::Timer() = default;
Timer::~Timer() = default;

void Timer::start(int ms, SmallFunction<void()> fire) {
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        timer_->setSingleShot(true);
        QObject::connect(timer_.get(), &QTimer::timeout,
                         [this] { Guarded(Doing::Timer, 0, false, [this] { CallHandler(fire_); }); });
    }
    fire_ = std::move(fire);
    timer_->start(ms);
}

void Timer::stop() {
    if (timer_) timer_->stop();
}

bool Timer::active() const {
    return timer_ && timer_->isActive();
}

} // namespace qo
