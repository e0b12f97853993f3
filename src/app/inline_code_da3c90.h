#pragma once
// The menu's "ПОСМОТРЕТЬ РЕКЛАМУ": opens a random advertisement page every time it is chosen.
#include <cstdint>

#include "runtime/link.h"

namespace lotto {

class TQOInlineCode_DA3C90 {
public:
    TQOInlineCode_DA3C90(); // seeds the random source from the clock

    void Input(qo::TData& d, std::uint16_t index);
};

} // namespace lotto
