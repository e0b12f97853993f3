#include "runtime/memory.h"

namespace qo {

void TQOMemory::Write(TData& e, std::uint16_t) {
    TData local;
    ConsumeData(e, local);
    stored = local;
    stored.kind &= static_cast<std::uint8_t>(~dkForward);
    stored.next = nullptr; // the chain behind the value belongs to the caller
    ForwardData(e, output, stored);
}

void TQOMemory::Value(TData& out, std::uint16_t) {
    out = stored;
}

} // namespace qo
