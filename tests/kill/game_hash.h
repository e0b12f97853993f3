#pragma once
// One number for a kept game, the same in the killed program and in the test that checks it: the
// kill test compares games across processes by these numbers, as they were logged.
#include <cstdint>
#include <string_view>

#include "app/kept_game.h"

namespace killtest {

// 64-bit FNV-1a.
inline std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    return h;
}

// How the run ends is no part of the game: two files of one game hash alike whoever wrote them.
inline std::uint64_t GameHash(lotto::KeptGame game) {
    game.endedByClosing = false;
    return Fnv1a(lotto::KeptGameText(game));
}

} // namespace killtest
