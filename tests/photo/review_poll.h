#pragma once
// Acting on the photo review window once it is open: "Билеты с фото..." runs it modally, so a test
// looks for it from the event loop, a try every 20 ms, giving up after 10 s. Watching ends when the
// test's `live` guard goes, so a test that never opened the window leaves nothing to act on the next.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

namespace photo_test {

inline void PollForReview(std::weak_ptr<bool> live, std::function<void(QDialog&)> act, int tries = 0) {
    if (live.expired()) return;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->objectName() == QLatin1String("photoReview")) {
        act(*dialog);
        return;
    }
    if (tries < 500) QTimer::singleShot(20, [=] { PollForReview(live, act, tries + 1); });
}

} // namespace photo_test
