#pragma once
// Routes a value to one of `Count` outputs chosen by an index; an index out of range goes nowhere.
#include <cstdint>
#include <vector>

#include "runtime/link.h"

namespace qo {

class TQOIndexToChanel {
public:
    TData Data;
    TEventLink data;  // data input: the value to route
    TEventLink index; // data input: the channel

    void SetCount(std::int32_t n);
    std::int32_t Count() const { return count_; }

    void Input(TData& d, std::uint16_t point);

    std::vector<TEventLink> outputs;

private:
    std::int32_t count_ = 0;
};

} // namespace qo
