#pragma once
// Handing events to elements. Every call from the layer into an element runs inside a
// DeliveryScope: CallHandler (an installed handler), Deliver (the raw message chain) and Guarded
// (what the toolkit delivered) open one themselves, and the few calls that reach an element by
// another road open their own (the destroyed handler in control.cpp, a paste offered in
// edit_commands.cpp, a replaced selection in edit_control.cpp). While one is open:
//   - an element's scheme object deleted from inside its own event chain (a ticket's delete
//     button) is destroyed once the outermost scope has closed (the runtime's EventScope, which
//     each DeliveryScope holds);
//   - a widget let go of is hidden and deleted at the next turn of the loop, not under the feet
//     of the event being delivered (ReleaseWidget asks active()).
// Only Guarded catches: a fault that escapes a handler is told to the user there, where the
// toolkit handed the event over, and the program goes on. Whether a Control survived a call is
// asked of its LifeToken (registry.h).
#include "runtime/event_scope.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/words.h"
#include <cstdint>
#include <utility>

namespace qo {

class Control;

class DeliveryScope {
public:
    DeliveryScope();
    ~DeliveryScope();
    DeliveryScope(const DeliveryScope&) = delete;
    DeliveryScope& operator=(const DeliveryScope&) = delete;
    // True while some delivery is under way: a widget let go now is deleted at the next turn.
    static bool active();

private:
    EventScope elements_;
};

// Calls a handler, if one is set, through a copy: the handler may replace itself or end its
// control while it runs. False when there is none.
template <class H, class... A> bool CallHandler(const H& handler, A&&... args) {
    if (!handler) return false;
    const H h = handler;
    DeliveryScope scope;
    h(std::forward<A>(args)...);
    return true;
}

// Runs the control's raw handler chain only; true when consumed.
bool Deliver(Control& c, Message& m);

// ---- Faults (fault.cpp).
// Tells the user, in one message box, of the fault being caught (call it from a catch block):
// what was being done (in the program's words for `doing`, with the caption of the control
// `controlId` when it has one) and why. `userAct`: the user asked for it (a click, a key, a command), so
// every such fault is told; a fault of an event that comes back by itself (painting, moving) is told once.
void ReportFault(Doing doing, std::int32_t controlId, bool userAct) noexcept;

// Runs what the toolkit delivered. The toolkit cannot carry an exception through its event loop,
// so a fault that escapes a handler ends here: the user is told and the program goes on.
template <class F> void Guarded(Doing doing, std::int32_t controlId, bool userAct, F&& f) noexcept {
    DeliveryScope scope;
    try {
        f();
    } catch (...) {
        ReportFault(doing, controlId, userAct);
    }
}

// What a toolkit event is, for the user, and whether the user asked for it.
Doing EventWhat(int qtEventType, bool& userAct);

} // namespace qo
