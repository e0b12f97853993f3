#pragma once
// What the kept game's reader and writer must agree on beyond kept_game.h: the version line, the
// check line's sum and how a cell's text is a number.
#include <algorithm>
#include <cstdint>
#include <string_view>

namespace lotto::kept {

inline constexpr std::string_view kVersionWord = "fishkodrom-game";
inline constexpr int kMajor = 1;
inline constexpr int kMinor = 1;

// FNV-1a over the text before the check line: enough to see a torn or edited file.
inline std::uint32_t Checksum(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

// A cell's text that is one of the numbers a cell is read as, written the one way it is read.
inline int PlainNumber(std::string_view text) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || text.size() > 2 || text[0] == '0' || !std::all_of(text.begin(), text.end(), digit))
        return 0;
    return text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
}

} // namespace lotto::kept
