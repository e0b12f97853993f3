#pragma once
// The game's rules applied to what the digit reader saw: a column holds its ten (1-9, 10-19 ...
// 80-90), a row holds five numbers, no number stands twice on a ticket, and on tickets printed with
// numbers rising down each column a column that falls is suspect. The rules choose the number a
// cell most likely holds and mark every cell they cannot vouch for; they never invent a number.
#include "app/photo/photo_reader.h"

#include <array>

namespace lotto::photo {

// What the eye saw in one cell, before any rule.
struct CellGuess {
    float ink = 0;                 // 0: nothing digit-like; 1: a clear digit; 0.5 is the border
    int digits = 0;                // digit shapes found, left to right: 0, 1 or 2
    std::array<float, 10> tens{};  // the first of two digits, probabilities
    std::array<float, 10> units{}; // the only or last digit, probabilities
};

using CardGuess = std::array<CellGuess, 27>;

// Below this a digit's reading is doubted.
constexpr float kSureDigit = 0.9f;

// The ticket's cells as the rules read them; `second` is false for an odd card.
ReadTicket ApplyRules(const CardGuess& first, const CardGuess* second);

} // namespace lotto::photo
