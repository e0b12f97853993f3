#pragma once
// A counted loop that runs to its end inside one call, firing each visited index; what a cycle
// does is up to whatever its output reaches.
#include <cstdint>

#include "runtime/link.h"

namespace qo {

class TQOFor {
public:
    std::int32_t index = 0;      // the current loop value; kept after the loop
    std::int32_t startValue = 0; // used when the start data input is open and the value is not 0
    std::int32_t endValue = 0;   // the same through the end data input
    std::int32_t step = 1;
    std::uint8_t endIncluded = 1;      // 0: stop before the end value
    std::uint8_t keepIncomingData = 0; // 0: the event's value never stands in for start or end

    TEventLink endInput;   // data input
    TEventLink startInput; // data input
    TEventLink cycleOutput;
    TEventLink endOutput; // the index that ended the loop

    void Start(TData& d, std::uint16_t index);
};

} // namespace qo
