#include "app/inline_code_da3c90.h"

#include "app/advertisement.h"
#include "runtime/random.h"

namespace lotto {

TQOInlineCode_DA3C90::TQOInlineCode_DA3C90() {
    SeedRandomFromClock();
}

void TQOInlineCode_DA3C90::Input(qo::TData&, std::uint16_t) {
    OpenAdvertisement(static_cast<std::int32_t>(qo::RoundHalfEven(qo::Random() * 99)), true);
}

} // namespace lotto
