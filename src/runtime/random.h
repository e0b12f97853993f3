#pragma once
// The program-wide pseudo-random source: one 32-bit state, state ← state × 134775813 + 1, each
// draw giving state / 2^32 in [0, 1). It starts at 0 and is seeded from the time of day.
#include <cstdint>

namespace qo {

double Random();
void Randomize(); // seeds from the UTC time of day in milliseconds (through the time hook)
std::uint32_t& RandSeed();

// Where the time of day comes from; the widget layer installs the platform's clock, tests a fixed one.
using TimeOfDayHook = std::uint32_t (*)(); // milliseconds since UTC midnight
void SetTimeOfDayHook(TimeOfDayHook hook);

} // namespace qo
