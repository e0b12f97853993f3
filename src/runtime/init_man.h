#pragma once
// The start-up list: elements that need a call once everything around them exists register here
// while their scheme is built; the list runs newest first and is then thrown away.
#include <cstdint>
#include <vector>

namespace qo {

using TStartupProc = void (*)(void* element);

class TInitMan {
public:
    struct Entry {
        TStartupProc procedure;
        void* element;
    };
    std::vector<Entry> entries;
    std::int32_t count = 0;
    bool running = false;
};

void RegisterStartup(TStartupProc procedure, void* element);
void RunStartups();
// The list now waiting to run, if any (tests look at it).
const TInitMan* PendingStartups();

namespace detail {
template <auto M, typename C> void StartupTrampoline(void* element) {
    (static_cast<C*>(element)->*M)();
}
} // namespace detail

// Registers a member `void C::M()`: RegisterStartup<&TQOMainForm::Startup>(*this).
template <auto M, typename C> void RegisterStartup(C& element) {
    RegisterStartup(&detail::StartupTrampoline<M, C>, &element);
}

} // namespace qo
