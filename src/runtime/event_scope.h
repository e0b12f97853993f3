#pragma once
// Keeps objects alive until the outermost event handler has returned. An instance that asks for
// its own deletion from inside one of its own event chains (a ticket's delete button) would
// otherwise be destroyed under the feet of the element that started the chain. Whoever delivers
// an event from outside (the widget layer, a test) opens an EventScope around the delivery;
// DestroyWhenIdle runs the destruction at once when no scope is open, else when the last one closes.
#include <functional>

namespace qo {

class EventScope {
public:
    EventScope();
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

    static int Depth();
    // Which outermost event is under way: a new value for each; 0 outside any.
    static unsigned Serial();
};

void DestroyWhenIdle(std::function<void()> destroy);

} // namespace qo
