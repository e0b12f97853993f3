#include "app/sound_length.h"

#include <algorithm>

namespace lotto {

namespace {

std::uint32_t Little(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

} // namespace

std::int64_t WaveLengthMs(const std::string& b) {
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return 0;
    std::uint32_t byteRate = 0;
    // Chunks after the form type: an id, a size, the data, padded to an even length.
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::uint32_t size = Little(b, at + 4, 4);
        if (b.compare(at, 4, "fmt ") == 0 && size >= 16 && at + 8 + 16 <= b.size()) {
            byteRate = Little(b, at + 8 + 8, 4);
        } else if (b.compare(at, 4, "data") == 0) {
            // A file cut short plays what it holds.
            const std::uint64_t held = std::min<std::uint64_t>(size, b.size() - at - 8);
            return byteRate ? static_cast<std::int64_t>(held * 1000 / byteRate) : 0;
        }
        at += 8 + static_cast<std::size_t>(size) + (size & 1u);
    }
    return 0;
}

} // namespace lotto
