#pragma once
// Catching up in one paste: a list of numbers pasted into the number box ("12 45, 7;81") is
// entered number by number, each as if typed and confirmed with Enter; what is not a number from
// 1 to 90 is skipped and named in one message afterwards. A text with fewer than two numbers is
// left to the box, which pastes it as it pastes anything. Where an entered number goes is the
// scheme's wiring.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/link.h"

namespace lotto {

class TQOInlineCode_PasteCalls {
public:
    qo::TEventLink enter; // each number, in order

    // The pasted text, Windows-1251; answered with 1 when it was a list and taken, else 0.
    void Paste(qo::TData& d, std::uint16_t index);

    // The pasted text's pieces (split at spaces, line breaks, commas and semicolons): the numbers
    // to enter, and the pieces that are not one.
    struct Pieces {
        std::vector<int> numbers;
        std::vector<std::string> skipped;
        int digitPieces = 0; // pieces of digits alone, numbers of the game or not
    };
    static Pieces Split(std::string_view text);
};

} // namespace lotto
