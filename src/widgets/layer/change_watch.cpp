#include "widgets/layer/change_watch.h"

#include "widgets/layer/change_notice.h"

namespace qo {
namespace {

SmallFunction<void()>& Watcher() {
    static SmallFunction<void()> watcher;
    return watcher;
}

} // namespace

void WatchNextChange(SmallFunction<void()> onChange) {
    Watcher() = std::move(onChange);
}

void StopWatchingChanges() {
    Watcher() = nullptr;
}

void NoteContentChange() {
    SmallFunction<void()>& w = Watcher();
    if (!w) return;
    // Taken out first: the watcher may set itself again from inside.
    SmallFunction<void()> told = std::move(w);
    told();
}

} // namespace qo
