#include "photo/scoring.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace photo_test {
namespace {

using lotto::photo::ReadCard;

// The read card lying where the shown one is: its corners within a fifth of the card's height.
const ReadCard* Matching(const ShownCard& shown, const lotto::photo::PhotoResult& result, int* ticket) {
    const double height =
        std::hypot(shown.corners[3].x - shown.corners[0].x, shown.corners[3].y - shown.corners[0].y);
    for (std::size_t t = 0; t < result.tickets.size(); ++t) {
        const auto& read = result.tickets[t];
        for (int k = 0; k < (read.secondCardFound ? 2 : 1); ++k) {
            const ReadCard& card = read.cards[static_cast<std::size_t>(k)];
            double worst = 0;
            for (int i = 0; i < 4; ++i)
                worst =
                    std::max(worst, static_cast<double>(std::hypot(card.corners[i].x - shown.corners[i].x,
                                                                   card.corners[i].y - shown.corners[i].y)));
            if (worst < 0.2 * height) {
                *ticket = static_cast<int>(t) * 2 + k;
                return &card;
            }
        }
    }
    return nullptr;
}

} // namespace

void Score::Add(const Score& s) {
    cards += s.cards, found += s.found, cells += s.cells, right += s.right;
    wrongUnflagged += s.wrongUnflagged, flagged += s.flagged, tickets += s.tickets, paired += s.paired;
}

Score ScoreShot(const Shot& shot, const lotto::photo::PhotoResult& result) {
    Score s;
    std::vector<int> where(shot.cards.size(), -1);
    for (std::size_t i = 0; i < shot.cards.size(); ++i) {
        const ShownCard& shown = shot.cards[i];
        ++s.cards;
        s.cells += 27; // a card not found counts its cells as not read right
        const ReadCard* read = Matching(shown, result, &where[i]);
        if (!read) continue;
        ++s.found;
        for (std::size_t c = 0; c < 27; ++c) {
            const bool right = read->cells[c].number == shown.numbers[c];
            s.right += right;
            s.flagged += read->cells[c].doubtful;
            s.wrongUnflagged += !right && !read->cells[c].doubtful;
            if (!right && std::getenv("PHOTO_WRONG"))
                std::printf("wrong: shown %d read %d%s\n", shown.numbers[c], read->cells[c].number,
                            read->cells[c].doubtful ? " (doubted)" : "");
        }
    }
    // A ticket is assembled right when its first card is a read ticket's first and its second that
    // ticket's second.
    for (std::size_t i = 0; i < shot.cards.size(); ++i) {
        if (shot.cards[i].card != 0) continue;
        ++s.tickets;
        for (std::size_t j = 0; j < shot.cards.size(); ++j)
            if (shot.cards[j].ticket == shot.cards[i].ticket && shot.cards[j].card == 1 && where[i] >= 0 &&
                where[i] % 2 == 0 && where[j] == where[i] + 1)
                ++s.paired;
    }
    return s;
}

} // namespace photo_test
