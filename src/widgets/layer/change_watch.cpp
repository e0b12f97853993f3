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

// A walk over the listeners under way, and the one it tells next. A listener that goes while
// walks are under way (itself, or another, from inside a handler) moves each walk's next past it,
// so no walk steps onto a listener that is gone. Walks nest when a handler changes a control.
struct Walk {
    ChangeListener* next;
    Walk* outer;
};
Walk*& Walks() {
    static Walk* innermost = nullptr;
    return innermost;
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
    for (Walk* w = Walks(); w; w = w->outer) {
        if (w->next == this) w->next = next_;
    }
    for (ChangeListener** l = &Listeners(); *l; l = &(*l)->next_) {
        if (*l == this) {
            *l = next_;
            return;
        }
    }
}

void NoteContentChange(const Control& changed, ContentChange what) {
    Walk walk{Listeners(), Walks()};
    Walks() = &walk;
    while (ChangeListener* l = walk.next) {
        walk.next = l->next_;
        l->heard_(changed, what);
    }
    Walks() = walk.outer;
    SmallFunction<void()>& w = Watcher();
    if (!w) return;
    // Taken out first: the watcher may set itself again from inside.
    SmallFunction<void()> told = std::move(w);
    told();
}

} // namespace qo
