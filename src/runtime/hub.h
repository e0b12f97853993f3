#pragma once
// Passes every value it receives to each of its outputs in turn, a fresh copy for each, so a
// consuming target never starves the ones after it. Which input the value came by does not matter.
#include <cstdint>
#include <vector>

#include "runtime/link.h"

namespace qo {

class TQOHub {
public:
    std::uint8_t inputCount = 1; // as many equivalent inputs as the scheme wires

    void SetOutputCount(std::uint8_t count) { outputs.assign(count, TEventLink{}); }
    std::uint8_t OutputCount() const { return static_cast<std::uint8_t>(outputs.size()); }

    void Input(TData& d, std::uint16_t index);

    std::vector<TEventLink> outputs = std::vector<TEventLink>(1);
};

} // namespace qo
