#include "widgets/layer/change_watch.h"

#include "widgets/layer/change_notice.h"

namespace qo {
namespace {

SmallFunction<void()>& Watcher() {
    static SmallFunction<void()> watcher;
    return watcher;
}

ChangeListener*& Listeners() {
    static ChangeListener* first = nullptr;
    return first;
}

} // namespace

void WatchNextChange(SmallFunction<void()> onChange) {
    Watcher() = std::move(onChange);
}

void StopWatchingChanges() {
    Watcher() = nullptr;
}

ChangeListener::ChangeListener(Heard heard) : heard_(std::move(heard)), next_(Listeners()) {
    Listeners() = this;
}

ChangeListener::~ChangeListener() {
    for (ChangeListener** l = &Listeners(); *l; l = &(*l)->next_) {
        if (*l == this) {
            *l = next_;
            return;
        }
    }
}

void NoteContentChange(const Control& changed, ContentChange what) {
    for (ChangeListener* l = Listeners(); l; l = l->next_)
        l->heard_(changed, what);
    SmallFunction<void()>& w = Watcher();
    if (!w) return;
    // Taken out first: the watcher may set itself again from inside.
    SmallFunction<void()> told = std::move(w);
    told();
}

} // namespace qo
