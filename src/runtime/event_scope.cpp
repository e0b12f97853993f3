#include "runtime/event_scope.h"

#include <vector>

namespace qo {
namespace {
int g_depth = 0;
unsigned g_serial = 0, g_last = 0;
std::vector<std::function<void()>> g_pending;

void Flush() {
    // A destruction may queue further ones; take them in the order they were asked for.
    while (!g_pending.empty()) {
        auto batch = std::move(g_pending);
        g_pending.clear();
        for (auto& destroy : batch)
            destroy();
    }
}
} // namespace

EventScope::EventScope() {
    if (g_depth++ == 0) g_serial = ++g_last == 0 ? ++g_last : g_last;
}

EventScope::~EventScope() {
    if (--g_depth == 0) {
        ++g_depth; // destructors may deliver events of their own; keep them from flushing re-entrantly
        Flush();
        --g_depth;
        g_serial = 0;
    }
}

int EventScope::Depth() {
    return g_depth;
}

unsigned EventScope::Serial() {
    return g_serial;
}

void DestroyWhenIdle(std::function<void()> destroy) {
    if (g_depth == 0) {
        destroy();
    } else {
        g_pending.push_back(std::move(destroy));
    }
}

} // namespace qo
