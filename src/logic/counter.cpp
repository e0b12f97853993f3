#include "logic/counter.h"

namespace qo {

void TQOCounter::Next(TData& d, std::uint16_t) {
    // In 64 bits, so a step past the 32-bit range wraps to the bound instead of overflowing.
    const std::int64_t v =
        static_cast<std::int64_t>(value) + (countingDown == 0 ? step : -std::int64_t{step});
    if (countingDown == 0) {
        value = v > maximum ? minimum : static_cast<std::int32_t>(v);
    } else {
        value = v < minimum ? maximum : static_cast<std::int32_t>(v);
    }
    ForwardInteger(d, valueOutput, value);
}

} // namespace qo
