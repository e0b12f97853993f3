#pragma once
// Keeps the last value written to it, passes each write on, and answers reads with the kept value.
#include "runtime/link.h"

namespace qo {

class TQOMemory {
public:
    TData stored;
    TEventLink output;

    void Write(TData& d, std::uint16_t index);
    void Value(TData& out, std::uint16_t index); // data point
};

} // namespace qo
