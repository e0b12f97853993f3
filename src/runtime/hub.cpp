#include "runtime/hub.h"

namespace qo {

void TQOHub::Input(TData& d, std::uint16_t) {
    // Every output gets the incoming value afresh, whatever the ones before did to their copy. One
    // record serves them all; its text is refreshed only when the text is the value (otherwise it
    // is stale and never read), which keeps integer traffic free of string copies.
    TData local;
    for (const TEventLink& out : outputs) {
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
