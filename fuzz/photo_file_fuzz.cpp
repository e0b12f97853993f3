// Any bytes as a picture file: the reader ends with a status, never a crash, an endless loop or
// a picture's worth of memory for a header that only claims one.
#include "app/photo/photo_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const lotto::photo::PhotoResult r = lotto::photo::ReadPhoto({data, size});
    if (r.status != lotto::photo::PhotoStatus::Read && !r.tickets.empty()) __builtin_trap();
    return 0;
}
