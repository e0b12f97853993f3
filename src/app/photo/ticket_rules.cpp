#include "app/photo/ticket_rules.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "game/shape.h"

namespace lotto::photo {
namespace {

using game::kColumns;
constexpr float kInked = 0.5f;
// An ink measure this close to the border could be a smudge or a faint digit.
constexpr float kInkMargin = 0.2f;
// A second number this likely beside the best one (a 3 beside an 8) is doubted.
constexpr float kCloseRunnerUp = 0.005f;
// A final 0 and a 6 differ by a short stroke that blur and a tinted field wash out: the network
// read a 30 as 36 with the 0 at a thousandth, so between those two even less is trusted.
constexpr float kCloseZeroSix = 0.0003f;

// The most likely number of an inked cell in its column, and how sure that is.
ReadCell NumberOf(const CellGuess& g, int column) {
    ReadCell cell;
    float best = 0, runnerUp = 0, total = 0;
    auto consider = [&](int number, float score) {
        total += score;
        if (score > best) {
            runnerUp = best;
            best = score;
            cell.number = number;
        } else {
            runnerUp = std::max(runnerUp, score);
        }
    };
    // A lone digit read in a two-digit column is taken as the units: its ten is the column's.
    const bool pair = g.digits == 2;
    if (column == 0) {
        for (int u = 1; u <= 9; ++u)
            consider(u, g.units[u]);
    } else {
        for (int u = 0; u <= 9; ++u)
            consider(column * 10 + u, g.units[u] * (pair ? g.tens[column] : 1.0f));
        if (column == 8) consider(90, g.units[0] * (pair ? g.tens[9] : 0.0f));
    }
    const float share = total > 0 ? best / total : 0;
    const int expected = column == 0 ? 1 : 2;
    // The network is surer than it has a right to be: a final 0 read as 6 came with the 0 at a
    // hundredth of the 6, and a right reading almost never leaves its runner-up that close.
    cell.doubtful = g.digits != expected || share < kSureDigit || best < kSureDigit * kSureDigit ||
                    runnerUp >= kCloseRunnerUp * best;
    const int units = cell.number % 10;
    if ((units == 0 || units == 6) && g.units[units == 0 ? 6 : 0] >= kCloseZeroSix * g.units[units])
        cell.doubtful = true;
    if (pair && column > 0) {
        const int tens = cell.number / 10;
        if (g.tens[tens] < kSureDigit) cell.doubtful = true;
    }
    if (cell.number == 0) cell.doubtful = true;
    return cell;
}

std::array<ReadCell, 27> ReadCardCells(const CardGuess& guess) {
    std::array<ReadCell, 27> cells{};
    for (int row = 0; row < 3; ++row) {
        int inked = 0;
        for (int column = 0; column < kColumns; ++column) {
            const CellGuess& g = guess[row * kColumns + column];
            ReadCell& cell = cells[row * kColumns + column];
            if (g.ink >= kInked) {
                cell = NumberOf(g, column);
                ++inked;
            }
            if (std::abs(g.ink - kInked) < kInkMargin) cell.doubtful = true;
        }
        // A row of other than five: every cell that could be the one too many, or the one missed.
        if (inked != 5) {
            for (int column = 0; column < kColumns; ++column) {
                ReadCell& cell = cells[row * kColumns + column];
                if ((inked > 5) == (cell.number != 0)) cell.doubtful = true;
            }
        }
    }
    return cells;
}

// Each column's numbers top to bottom: do they rise?
void CountRising(const std::array<ReadCell, 27>& cells, int& rising, int& falling) {
    for (int column = 0; column < kColumns; ++column) {
        int last = 0, count = 0;
        bool rises = true;
        for (int row = 0; row < 3; ++row) {
            const int n = cells[row * kColumns + column].number;
            if (n == 0) continue;
            if (count > 0 && n <= last) rises = false;
            last = n;
            ++count;
        }
        if (count < 2) continue;
        ++(rises ? rising : falling);
    }
}

void DoubtFallingColumns(std::array<ReadCell, 27>& cells) {
    for (int column = 0; column < kColumns; ++column) {
        int last = 0;
        bool rises = true;
        for (int row = 0; row < 3; ++row) {
            const int n = cells[row * kColumns + column].number;
            if (n == 0) continue;
            if (last != 0 && n <= last) rises = false;
            last = n;
        }
        if (rises) continue;
        for (int row = 0; row < 3; ++row) {
            ReadCell& cell = cells[row * kColumns + column];
            if (cell.number != 0) cell.doubtful = true;
        }
    }
}

} // namespace

ReadTicket ApplyRules(const CardGuess& first, const CardGuess* second) {
    ReadTicket ticket;
    ticket.cards[0].cells = ReadCardCells(first);
    if (second) {
        ticket.cards[1].cells = ReadCardCells(*second);
        ticket.secondCardFound = true;
    }

    // A number twice: either could be the misread one.
    std::map<int, std::vector<ReadCell*>> seen;
    for (ReadCard& card : ticket.cards)
        for (ReadCell& cell : card.cells)
            if (cell.number != 0) seen[cell.number].push_back(&cell);
    for (auto& [number, cells] : seen)
        if (cells.size() > 1)
            for (ReadCell* cell : cells)
                cell->doubtful = true;

    // A ticket printed with rising columns shows it in most of them; one that falls there is
    // likelier misread than printed so. Tickets filled at random show no such habit.
    int rising = 0, falling = 0;
    for (const ReadCard& card : ticket.cards)
        CountRising(card.cells, rising, falling);
    if (rising >= 4 && falling <= 2)
        for (ReadCard& card : ticket.cards)
            DoubtFallingColumns(card.cells);
    return ticket;
}

} // namespace lotto::photo
