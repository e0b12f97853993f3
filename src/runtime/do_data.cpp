#include "runtime/do_data.h"

namespace qo {

void TQODoData::Input(TData& e, std::uint16_t) {
    MakeNull(e);
    TData local;
    TakeData(e, data, &Data, local);
    ForwardData(e, output, local);
}

} // namespace qo
