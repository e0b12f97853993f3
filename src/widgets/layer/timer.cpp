#include "widgets/layer/timer.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "widgets/layer/delivery.h"

namespace qo {

// Tells when every window shown has painted once. It watches the paint events of windows until
// then, and is out of the way after.
class FirstFrameWatch : public QObject {
public:
    static FirstFrameWatch& Get() {
        static auto* watch = new FirstFrameWatch; // lives as long as the toolkit's application
        return *watch;
    }
    bool framed() const { return framed_; }
    void add(Timer& t) {
        waiting_.push_back(&t);
        if (!installed_) {
            installed_ = true;
            qApp->installEventFilter(this);
            // A window that never paints (shown off every screen) does not hold the work up long.
            QTimer::singleShot(kLongestWaitMs, this, [this] { End(); });
        }
        // Nothing shown by the next turn: there is no first frame to wait for.
        QMetaObject::invokeMethod(
            this, [this] { CheckAllPainted(); }, Qt::QueuedConnection);
    }
    void remove(Timer& t) {
        waiting_.erase(std::remove(waiting_.begin(), waiting_.end(), &t), waiting_.end());
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            painted_.push_back(static_cast<QWidget*>(watched));
            // After the paint pass, so the window's children have drawn too.
            QMetaObject::invokeMethod(
                this, [this] { CheckAllPainted(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static constexpr int kLongestWaitMs = 1000;

    void CheckAllPainted() {
        if (framed_) return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && std::find(painted_.begin(), painted_.end(), w) == painted_.end()) return;
        }
        End();
    }
    void End() {
        if (framed_) return;
        framed_ = true;
        qApp->removeEventFilter(this);
        painted_.clear();
        for (Timer* t : std::exchange(waiting_, {})) {
            t->waitingForFrame_ = false;
            t->start(0, std::move(t->fire_));
        }
    }

    bool installed_ = false, framed_ = false;
    std::vector<QPointer<QWidget>> painted_;
    std::vector<Timer*> waiting_;
};

Timer::Timer() = default;
Timer::~Timer() {
    if (waitingForFrame_) FirstFrameWatch::Get().remove(*this);
}

void Timer::startAfterFirstFrame(SmallFunction<void()> fire) {
    FirstFrameWatch& watch = FirstFrameWatch::Get();
    if (watch.framed()) {
        start(0, std::move(fire));
        return;
    }
    stop();
    fire_ = std::move(fire);
    if (!waitingForFrame_) {
        waitingForFrame_ = true;
        watch.add(*this);
    }
}

void Timer::start(int ms, SmallFunction<void()> fire) {
    if (waitingForFrame_) {
        waitingForFrame_ = false;
        FirstFrameWatch::Get().remove(*this);
    }
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
    if (waitingForFrame_) {
        waitingForFrame_ = false;
        FirstFrameWatch::Get().remove(*this);
    }
    if (timer_) timer_->stop();
}

bool Timer::active() const {
    return waitingForFrame_ || (timer_ && timer_->isActive());
}

} // namespace qo
