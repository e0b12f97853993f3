#pragma once
// Now and then, when the main window closes, opens an advertisement page: on about one close in
// ten. The close itself goes on regardless; this block only looks at it.
#include <cstdint>

#include "runtime/link.h"

namespace lotto {

class TQOInlineCode_DBD6FC {
public:
    TQOInlineCode_DBD6FC(); // seeds the random source from the clock

    // The main window's close; the value is not used.
    void Input(qo::TData& d, std::uint16_t index);
};

} // namespace lotto
