#pragma once
// The inner side of a static container: the nested scheme's calls in and out pass through it by
// point index. Which elements the points reach is the nested scheme's wiring.
#include <cstdint>
#include <vector>

#include "runtime/link.h"

namespace qo {

class TQOMultiElement;
class TScheme;

class TQOEditMulti {
public:
    TQOMultiElement* owner = nullptr;
    TScheme* schemeObject = nullptr;         // stored last while the scheme is built; the owner destroys it
    std::vector<TEventLink> innerEvents;     // container input i → innerEvents[i]
    std::vector<TEventLink> innerDataInputs; // container data output j ← innerDataInputs[j]

    // Sized before any link is written into them.
    void SetEventCount(std::int32_t count);
    void SetDataInputCount(std::int32_t count);
    void SetOwner(TQOMultiElement* container) { owner = container; }

    void Input(TData& d, std::uint16_t index);      // out through the container's event `index`
    void DataOutput(TData& d, std::uint16_t index); // the container's data input `index`
};

} // namespace qo
