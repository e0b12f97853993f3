#pragma once
// A reading held against the shot it came from: cards found, cells read right, and the wrong
// cells the reader did not outline as doubtful (the fault that matters: the player trusts those).
#include "app/photo/photo_reader.h"
#include "photo/test_cards.h"

namespace photo_test {

struct Score {
    int cards = 0, found = 0;            // cards shown, and found where they are
    int cells = 0, right = 0;            // cells of found cards, and read right
    int wrongUnflagged = 0, flagged = 0; // wrong and not outlined; outlined at all
    int tickets = 0, paired = 0;         // tickets shown, and assembled from their own two cards

    void Add(const Score& s);
    double Percent(int part, int whole) const { return whole ? 100.0 * part / whole : 100.0; }
};

Score ScoreShot(const Shot& shot, const lotto::photo::PhotoResult& result);

} // namespace photo_test
