#include "runtime/random.h"

#include <chrono>

namespace qo {
namespace {
std::uint32_t g_state = 0;

std::uint32_t SystemTimeOfDay() {
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(now % (24LL * 60 * 60 * 1000));
}

TimeOfDayHook g_clock = &SystemTimeOfDay;
} // namespace

std::uint32_t& RandSeed() {
    return g_state;
}

double Random() {
    g_state = g_state * 134775813u + 1u;
    return g_state / 4294967296.0;
}

void Randomize() {
    g_state = g_clock();
}

void SetTimeOfDayHook(TimeOfDayHook hook) {
    g_clock = hook ? hook : &SystemTimeOfDay;
}

} // namespace qo
