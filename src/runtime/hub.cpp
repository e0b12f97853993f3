#include "runtime/hub.h"

namespace qo {

void TQOHub::Input(TData& d, std::uint16_t) {
    for (const TEventLink& out : outputs) {
        TData local = d;
        CallLink(out, local);
    }
}

} // namespace qo
