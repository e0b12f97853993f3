#include "runtime/index_to_chanel.h"

namespace qo {

void TQOIndexToChanel::SetCount(std::int32_t n) {
    if (n > 0) {
        count_ = n;
        outputs.assign(static_cast<size_t>(n), TEventLink{});
    } else {
        count_ = 0; // the outputs stay as they were
    }
}

void TQOIndexToChanel::Input(TData& e, std::uint16_t) {
    const std::int32_t i = TakeInteger(e, index, 0);
    TData local;
    TakeData(e, data, &Data, local);
    if (i >= 0 && i < count_ && static_cast<size_t>(i) < outputs.size())
        CallLink(outputs[static_cast<size_t>(i)], local);
}

} // namespace qo
