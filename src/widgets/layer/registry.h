#pragma once
// Identifiers of controls: handed out in order, never reused, and found again through a table of
// blocks indexed by them (Control::FromId). A control lives exactly while its identifier finds it,
// which is what a LifeToken asks after a call that may have ended it.
#include "widgets/layer/control.h"
#include <cstdint>

namespace qo {

// Enters `c` and answers its identifier (never 0).
std::int32_t RegisterControl(Control* c);
// From here on the identifier finds nothing.
void UnregisterControl(std::int32_t id);

struct LifeToken {
    std::int32_t id = 0;
    bool expired() const { return Control::FromId(id) == nullptr; }
};
inline LifeToken Life(const Control& c) {
    return LifeToken{c.id()};
}

} // namespace qo
