#include "platform/linux/audio_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <vector>

namespace qo::platform {

AudioThread::AudioThread() : thread_(std::make_unique<QThread>()) {
    thread_->setObjectName(QStringLiteral("audio"));
    home_ = new QObject;
    home_->moveToThread(thread_.get());
    thread_->start();
}

AudioThread::~AudioThread() {
    QObject* home = home_;
    QThread* thread = thread_.get();
    QMetaObject::invokeMethod(
        home,
        [home, thread, last = std::move(last_)] {
            if (last) last();
            delete home;
            thread->quit();
        },
        Qt::QueuedConnection);
    if (thread_->wait(QDeadlineTimer(kEndMs))) return;
    // Held inside a service's call that does not return: destroying a running thread would end the
    // process on the spot, so it is left running, with what it holds, until the process ends, and
    // never destroyed: kept where it can be found, as set aside rather than lost.
    static std::vector<QThread*> leftRunning;
    leftRunning.push_back(thread_.release());
}

void AudioThread::post(std::function<void()> work) {
    QMetaObject::invokeMethod(home_, std::move(work), Qt::QueuedConnection);
}

} // namespace qo::platform
