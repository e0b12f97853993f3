#include "runtime/init_man.h"

#include <memory>

namespace qo {
namespace {
std::unique_ptr<TInitMan> g_list;
}

void RegisterStartup(TStartupProc procedure, void* element) {
    if (!g_list) g_list = std::make_unique<TInitMan>();
    g_list->entries.push_back({procedure, element});
    g_list->count = static_cast<std::int32_t>(g_list->entries.size());
}

void RunStartups() {
    if (!g_list || g_list->running) return;
    g_list->running = true;
    // Entries appended while the list runs lie beyond this count and wait for the next run.
    // NOTE: the list is detached only after running, so those late entries must be carried over.
    TInitMan* list = g_list.get();
    const std::int32_t n = list->count;
    for (std::int32_t i = n - 1; i >= 0; --i) {
        const TInitMan::Entry e = list->entries[static_cast<size_t>(i)];
        e.procedure(e.element);
    }
    std::unique_ptr<TInitMan> done = std::move(g_list);
    if (done->entries.size() > static_cast<size_t>(n)) {
        g_list = std::make_unique<TInitMan>();
        g_list->entries.assign(done->entries.begin() + n, done->entries.end());
        g_list->count = static_cast<std::int32_t>(g_list->entries.size());
    }
}

const TInitMan* PendingStartups() {
    return g_list.get();
}

} // namespace qo
