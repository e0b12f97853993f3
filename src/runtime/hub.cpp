#include "runtime/hub.h"

namespace qo {

void TQOHub::Input(TData& d, std::uint16_t) {
    for (const TEventLink& out : outputs) {
        // A fresh copy per output; the text is copied only when it is the value (otherwise it is
        // stale and never read), which keeps integer traffic free of string copies.
        TData local;
        local.kind = d.kind;
        local.integer = d.integer;
        local.real = d.real;
        local.forward = d.forward;
        local.next = d.next;
        if ((d.kind & ~dkForward) == dkString) local.text = d.text;
        CallLink(out, local);
    }
}

} // namespace qo
