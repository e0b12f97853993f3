#include "logic/for_loop.h"

namespace qo {

void TQOFor::Start(TData& d, std::uint16_t) {
    if (keepIncomingData == 0) MakeNull(d);
    // The end is read once, before the first cycle: cycles cannot move it.
    index = TakeInteger(d, startInput, startValue);
    std::int64_t end = TakeInteger(d, endInput, endValue);
    // Counted in 64 bits so that a loop running up to the edge of the 32-bit range still ends.
    std::int64_t i = index;
    if (step > 0) {
        if (endIncluded == 0) --end;
        for (; i <= end; i += step) {
            index = static_cast<std::int32_t>(i);
            FireInteger(cycleOutput, index);
        }
    } else if (step < 0) {
        if (endIncluded == 0) ++end;
        for (; i >= end; i += step) {
            index = static_cast<std::int32_t>(i);
            FireInteger(cycleOutput, index);
        }
    }
    index = static_cast<std::int32_t>(static_cast<std::uint32_t>(i));
    ForwardInteger(d, endOutput, index);
}

} // namespace qo
