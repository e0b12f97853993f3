#include "app/inline_code_dbd6fc.h"

#include "app/advertisement.h"
#include "runtime/random.h"

namespace lotto {

TQOInlineCode_DBD6FC::TQOInlineCode_DBD6FC() {
    SeedRandomFromClock();
}

void TQOInlineCode_DBD6FC::Input(qo::TData&, std::uint16_t) {
    // u × 5 rounds to 0 only for u up to 0.1: about one close in ten.
    if (qo::RoundHalfEven(qo::Random() * 5) != 0) return;
    OpenAdvertisement(static_cast<std::int32_t>(qo::RoundHalfEven(qo::Random() * 99)), false);
}

} // namespace lotto
