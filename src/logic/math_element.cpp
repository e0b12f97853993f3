#include "logic/math_element.h"

#include <algorithm>
#include <limits>

namespace qo {

void TQOMath::SetDefault(double value) {
    default_ = value;
    result = value;
}

std::int32_t TQOMath::IntegerResult() const {
    // Saturate rather than wrap: a difference past 32 bits never arises from the program's operands.
    const std::int64_t r = RoundHalfEven(result);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(r, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

void TQOMath::Calculate(TData& d, std::uint16_t) {
    const double a = TakeReal(d, firstInput, first);
    const double b = TakeReal(d, secondInput, second);
    result = a - b;
    if (realResult == 0) {
        FireInteger(resultOutput, IntegerResult());
    } else {
        FireReal(resultOutput, result);
    }
}

void TQOMath::Result(TData& out, std::uint16_t) {
    if (realResult == 0) {
        MakeInteger(out, IntegerResult());
    } else {
        MakeReal(out, result);
    }
}

} // namespace qo
