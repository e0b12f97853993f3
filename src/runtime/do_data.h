#pragma once
// Turns a trigger into a value: discards what arrives and sends on its data point's value, or its
// own stored `Data` when the point is open.
#include "runtime/link.h"

namespace qo {

class TQODoData {
public:
    TData Data;
    TEventLink data;   // data input
    TEventLink output; // event

    void Input(TData& d, std::uint16_t index);
};

} // namespace qo
