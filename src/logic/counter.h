#pragma once
// Steps a value by a fixed amount between two bounds, jumping to the opposite bound when it
// passes one, and hands each new value on. What the value selects is the scheme's affair.
#include <cstdint>

#include "runtime/link.h"

namespace qo {

class TQOCounter {
public:
    std::int32_t value = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t step = 1;
    std::uint8_t countingDown = 0; // 0: count up
    TEventLink valueOutput;

    void Next(TData& d, std::uint16_t index); // the incoming value is ignored
};

} // namespace qo
