#include "widgets/layer/next_turn.h"

#include "widgets/layer/delivery.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/scroll_view.h"
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace qo {
namespace {

std::vector<std::int32_t> g_pendingRealise;
std::vector<std::int32_t> g_pendingSync;
std::vector<std::int32_t> g_pendingLayout;
bool g_flushPosted = false;

// What a queue holds now; what handling it adds waits for the next turn.
std::vector<std::int32_t> Take(std::vector<std::int32_t>& queue) {
    std::vector<std::int32_t> ids = std::move(queue);
    queue.clear();
    return ids;
}

void FlushRealise() {
    g_flushPosted = false;
    // Lists settle first, so that widgets are made only where the rows finally lie.
    for (std::int32_t id : Take(g_pendingLayout)) {
        Control* box = Control::FromId(id);
        if (box && box->d().layoutPending) LayoutChildren(*box);
    }
    for (std::int32_t id : Take(g_pendingRealise)) {
        // A parent that lost its widget meanwhile (scrolled far away) brings its children along
        // when it gets one again.
        Control* c = Control::FromId(id);
        if (c && !c->hasWindow() && c->parent() && c->parent()->hasWindow() && NearView(*c) &&
            !PaintedByParent(*c) && !HiddenWindow(*c))
            Realise(*c);
    }
    for (std::int32_t id : Take(g_pendingSync)) {
        if (Control* box = Control::FromId(id)) SyncViewportNow(*box);
    }
}

void PostFlush() {
    if (g_flushPosted || !qApp) return;
    g_flushPosted = true;
    QTimer::singleShot(0, qApp, [] { Guarded(Doing::MakingWindows, 0, false, &FlushRealise); });
}

// Asks for `c` at the next turn of the loop, once however often it is asked.
void Queue(std::vector<std::int32_t>& queue, const Control& c) {
    if (std::find(queue.begin(), queue.end(), c.id()) == queue.end()) queue.push_back(c.id());
    PostFlush();
}

} // namespace

void LayoutLater(Control& box) {
    if (box.d().layoutPending) return;
    box.d().layoutPending = true;
    Queue(g_pendingLayout, box);
}

void SettleLayout(const Control& box) {
    // The queue keeps its entry: the next turn finds nothing left to do for it.
    auto& c = const_cast<Control&>(box); // laying out is what reading the settled state implies
    if (c.d().layoutPending) LayoutChildren(c);
}

void SyncViewport(Control& box) {
    Queue(g_pendingSync, box);
}

void RealiseLater(Control& c) {
    // A child of a realised window gets its widget at the next turn of the loop (or sooner, when
    // something needs it), so the element's settings right after creation cost no widget work.
    Control* p = c.parent();
    if (p && p->hasWindow() && c.kind() != ControlKind::Form && NearView(c)) {
        g_pendingRealise.push_back(c.id()); // once: a control is made once
        PostFlush();
    }
}

} // namespace qo
