#include "game/ticket.h"

#include <algorithm>
#include <iterator>

#include "game/model.h"

namespace lotto::game {
namespace {

// Versions count changes of every ticket together, so a ticket made where another was never
// shows a version the other had.
std::uint64_t NextVersion() {
    static std::uint64_t last = 0;
    return ++last;
}

Completions Union(const std::vector<Completed>& completed) {
    Completions all;
    for (const Completed& c : completed) {
        all.rows |= c.what.rows;
        all.cards |= c.what.cards;
        all.ticket = all.ticket || c.what.ticket;
    }
    return all;
}

} // namespace

Ticket::Ticket() {
    version_ = numbersVersion_ = NextVersion();
}

Ticket::~Ticket() {
    if (model_) model_->Leave(*this);
}

void Ticket::Changed(std::uint8_t what) {
    if (what & (kNumbers | kMarks)) version_ = NextVersion();
    if (what & kNumbers) numbersVersion_ = version_;
    if (model_) model_->TicketChanged(*this, what);
}

void Ticket::SetTicketNumber(int number) {
    ticketNumber_ = number;
}

void Ticket::RecountHeld() {
    holds_.reset();
    for (const std::int32_t n : numbers_) {
        if (IsNumberOfTheGame(n)) holds_.set(static_cast<std::size_t>(n));
    }
}

int Ticket::NextPlace(std::int32_t n) {
    if (!IsNumberOfTheGame(n)) return -1;
    // Past the thirtieth place nothing more is taken; stopping the count there changes nothing else.
    if (fillPosition_ >= kPlaces - 1) return -1;
    ++fillPosition_;
    const int cell = CellAt(fillPosition_ / kNumbersPerRow, ColumnOf(n));
    // Written now, even with the number it held: the calls before did not see it placed.
    changedAt_[static_cast<std::size_t>(cell)] = static_cast<std::uint32_t>(delivered_.size());
    return cell;
}

void Ticket::SetNumber(int cell, std::int32_t number, bool unreadable) {
    const auto at = static_cast<std::size_t>(cell);
    const bool sameNumber = numbers_[at] == number;
    if (sameNumber && unreadable_[at] == unreadable) return;
    if (!sameNumber) changedAt_[at] = static_cast<std::uint32_t>(delivered_.size());
    numbers_[at] = number;
    unreadable_[at] = unreadable;
    RecountHeld();
    Changed(kNumbers);
}

void Ticket::ClearNumbers() {
    bool changed = false;
    for (std::size_t i = 0; i < numbers_.size(); ++i) {
        if (numbers_[i] == 0 && !unreadable_[i]) continue;
        numbers_[i] = 0;
        changedAt_[i] = static_cast<std::uint32_t>(delivered_.size());
        changed = true;
    }
    unreadable_.reset();
    holds_.reset();
    fillPosition_ = -1;
    if (changed) Changed(kNumbers);
}

void Ticket::SetMark(int cell, Mark mark) {
    // Whatever it is, the rule did not make it: the next call marks through every cell again.
    settled_ = false;
    if (marks_[static_cast<std::size_t>(cell)] == mark) return;
    marks_[static_cast<std::size_t>(cell)] = mark;
    Changed(kMarks);
}

void Ticket::Whiten() {
    const bool wasWhite = std::all_of(marks_.begin(), marks_.end(), [](Mark m) { return m == Mark::None; });
    marks_.fill(Mark::None);
    settled_ = true;
    const bool hadCalls = !delivered_.empty();
    delivered_.clear(); // a white ticket starts its own record of the numbers it was given
    completed_.clear();
    changedAt_.fill(0);
    Changed(static_cast<std::uint8_t>((wasWhite ? 0 : kMarks) | (hadCalls ? kCalls : 0)));
}

Completions Ticket::MarkRule(const Numbers& numbers, Marks& marks, std::int32_t n) {
    Completions done;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (marks[i] == Mark::None && numbers[i] == n) marks[i] = Mark::Called;
    }
    const auto paint = [&marks](int first, int count, Mark mark) {
        std::fill_n(marks.begin() + first, count, mark);
    };
    const auto countOf = [&marks](int first, int count, Mark mark) {
        return static_cast<int>(std::count(marks.begin() + first, marks.begin() + first + count, mark));
    };
    // Exactly five: a row that jumps from four to six called cells (a number typed twice) is no win.
    for (int row = 0; row < kRows; ++row) {
        if (countOf(row * kColumns, kColumns, Mark::Called) == kNumbersPerRow) {
            paint(row * kColumns, kColumns, Mark::Row);
            done.rows |= static_cast<std::uint8_t>(1u << row);
        }
    }
    for (int card = 0; card < kCards; ++card) {
        if (countOf(card * kCellsPerCard, kCellsPerCard, Mark::Row) == kCellsPerCard) {
            paint(card * kCellsPerCard, kCellsPerCard, Mark::Card);
            done.cards |= static_cast<std::uint8_t>(1u << card);
        }
    }
    if (countOf(0, kCells, Mark::Card) == kCells) {
        paint(0, kCells, Mark::Ticket);
        done.ticket = true;
    }
    return done;
}

Completions Ticket::MarkStep(const Numbers& numbers, Marks& marks, std::int32_t n) {
    Completions done;
    std::uint8_t rows = 0; // the rows the call marks a cell in
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (marks[i] == Mark::None && numbers[i] == n) {
            marks[i] = Mark::Called;
            rows |= static_cast<std::uint8_t>(1u << (i / kColumns));
        }
    }
    if (rows == 0) return done;
    const auto paint = [&marks](int first, int count, Mark mark) {
        std::fill_n(marks.begin() + first, count, mark);
    };
    const auto countOf = [&marks](int first, int count, Mark mark) {
        return static_cast<int>(std::count(marks.begin() + first, marks.begin() + first + count, mark));
    };
    std::uint8_t cards = 0; // the cards a row completed in
    for (int row = 0; row < kRows; ++row) {
        if ((rows & (1u << row)) && countOf(row * kColumns, kColumns, Mark::Called) == kNumbersPerRow) {
            paint(row * kColumns, kColumns, Mark::Row);
            done.rows |= static_cast<std::uint8_t>(1u << row);
            cards |= static_cast<std::uint8_t>(1u << (row / kRowsPerCard));
        }
    }
    for (int card = 0; card < kCards; ++card) {
        if ((cards & (1u << card)) &&
            countOf(card * kCellsPerCard, kCellsPerCard, Mark::Row) == kCellsPerCard) {
            paint(card * kCellsPerCard, kCellsPerCard, Mark::Card);
            done.cards |= static_cast<std::uint8_t>(1u << card);
        }
    }
    if (done.cards && countOf(0, kCells, Mark::Card) == kCells) {
        paint(0, kCells, Mark::Ticket);
        done.ticket = true;
    }
    return done;
}

Completions Ticket::Call(std::int32_t n) {
    // Only a number of the game marks: a cell someone typed 0 into is no called number.
    if (!IsNumberOfTheGame(n)) return {};
    const bool held = holds_[static_cast<std::size_t>(n)];
    delivered_.push_back(static_cast<std::uint8_t>(n));
    // Most tickets do not hold the number: with marks the rule made, it changes nothing there.
    if (settled_ && !held) {
        Changed(kCalls);
        return {};
    }
    Marks marks = marks_;
    const Completions done = settled_ ? MarkStep(numbers_, marks, n) : MarkRule(numbers_, marks, n);
    const bool changed = marks != marks_;
    marks_ = marks;
    settled_ = true;
    if (done.any()) completed_.push_back({static_cast<std::uint32_t>(delivered_.size() - 1), done});
    Changed(static_cast<std::uint8_t>(kCalls | (changed ? kMarks : 0)));
    return done;
}

void Ticket::Replay(Marks& marks) {
    marks.fill(Mark::None);
    completed_.clear();
    // The rule from white, step by step, kept as counts: what a call marks is only its own cells,
    // a row completes at exactly five called, a card with its third row, the ticket with its
    // second card. The same as MarkStep on every call, without looking through all the cells.
    constexpr std::uint8_t kNone = 0xFF;
    std::array<std::uint8_t, kLargest + 1> first;
    std::array<std::uint8_t, kCells> next;
    first.fill(kNone);
    for (int i = kCells - 1; i >= 0; --i) {
        const std::int32_t n = numbers_[static_cast<std::size_t>(i)];
        if (!IsNumberOfTheGame(n)) continue;
        next[static_cast<std::size_t>(i)] = first[static_cast<std::size_t>(n)];
        first[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(i);
    }
    std::array<int, kRows> called{};
    std::array<int, kCards> rowsDone{};
    int cardsDone = 0;
    for (std::size_t k = 0; k < delivered_.size(); ++k) {
        std::uint8_t cell = first[delivered_[k]];
        if (cell == kNone) continue;
        std::uint8_t rows = 0;
        for (; cell != kNone; cell = next[cell]) {
            if (marks[cell] != Mark::None) continue;
            marks[cell] = Mark::Called;
            ++called[cell / kColumns];
            rows |= static_cast<std::uint8_t>(1u << (cell / kColumns));
        }
        Completions done;
        for (int row = 0; row < kRows; ++row) {
            if (!(rows & (1u << row)) || called[static_cast<std::size_t>(row)] != kNumbersPerRow) continue;
            std::fill_n(marks.begin() + row * kColumns, kColumns, Mark::Row);
            called[static_cast<std::size_t>(row)] = 0;
            done.rows |= static_cast<std::uint8_t>(1u << row);
            const int card = row / kRowsPerCard;
            if (++rowsDone[static_cast<std::size_t>(card)] < kRowsPerCard) continue;
            std::fill_n(marks.begin() + card * kCellsPerCard, kCellsPerCard, Mark::Card);
            done.cards |= static_cast<std::uint8_t>(1u << card);
            if (++cardsDone < kCards) continue;
            marks.fill(Mark::Ticket);
            done.ticket = true;
        }
        if (done.any()) completed_.push_back({static_cast<std::uint32_t>(k), done});
    }
}

bool Ticket::TakeBack(std::int32_t n) {
    if (!IsNumberOfTheGame(n)) return false;
    // The latest call of the number goes. What it did is the difference between the calls marked
    // from white on the cells as they stand, with it and without it. A cell changes only when it
    // held its number at that call and still shows what the call made; one whose number was reset
    // or typed since keeps what it shows.
    const auto last = std::find(delivered_.rbegin(), delivered_.rend(), static_cast<std::uint8_t>(n));
    if (last == delivered_.rend()) return false;
    const auto k = static_cast<std::uint32_t>(std::distance(delivered_.begin(), std::next(last).base()));
    // A number no cell holds marked nothing on the cells as they stand, with or without it: the
    // marks stay, and the record of what the other calls completed is made again.
    const bool held = holds_[static_cast<std::size_t>(n)];
    Marks with;
    if (held) Replay(with);
    delivered_.erase(std::next(last).base());
    Marks without;
    Replay(without);
    if (!held) with = without;
    const Marks before = marks_;
    bool settled = true;
    for (std::size_t i = 0; i < marks_.size(); ++i) {
        if (changedAt_[i] <= k && marks_[i] == with[i]) marks_[i] = without[i];
        if (changedAt_[i] > k) --changedAt_[i];
        settled = settled && marks_[i] == without[i];
    }
    // Kept marks are not what the rule makes of the cells: the next call marks through them.
    settled_ = settled;
    Changed(static_cast<std::uint8_t>(kCalls | (marks_ != before ? kMarks : 0)));
    return true;
}

bool Ticket::CatchUp(const std::vector<int>& called, Completions& newly) {
    newly = {};
    NumberSet delivered, calledSet;
    for (const std::uint8_t n : delivered_)
        delivered.set(n);
    std::vector<std::uint8_t> missed;
    for (const int n : called) {
        if (!IsNumberOfTheGame(n) || calledSet[static_cast<std::size_t>(n)]) continue;
        calledSet.set(static_cast<std::size_t>(n));
        if (holds_[static_cast<std::size_t>(n)] && !delivered[static_cast<std::size_t>(n)])
            missed.push_back(static_cast<std::uint8_t>(n));
    }
    const auto missedCell = [&](std::size_t i) {
        const std::int32_t n = numbers_[i];
        return marks_[i] == Mark::None && IsNumberOfTheGame(n) && calledSet[static_cast<std::size_t>(n)];
    };
    // A number called before it was typed into a second cell has a white cell to mark too.
    bool whiteCalled = false;
    for (std::size_t i = 0; i < marks_.size(); ++i)
        whiteCalled = whiteCalled || missedCell(i);
    if (missed.empty() && !whiteCalled) return false;

    const Completions before = Union(completed_);
    // What the calls make of the cells as they stand, without and with the numbers they missed.
    // A cell showing something else got its mark otherwise (its number reset or typed since) and
    // keeps it, as after a take-back.
    Marks was;
    Replay(was);
    delivered_.insert(delivered_.begin(), missed.begin(), missed.end());
    Marks now;
    Replay(now);
    Marks marked = marks_;
    bool settled = true;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        if (marked[i] == was[i] || missedCell(i)) marked[i] = now[i];
        settled = settled && marked[i] == now[i];
    }
    // NOTE: after this the ticket is one that held its numbers through every call; a take-back
    // then changes its cells as it would any such ticket's.
    changedAt_.fill(0);
    marks_ = marked;
    settled_ = settled;
    const Completions after = Union(completed_);
    newly.rows = static_cast<std::uint8_t>(after.rows & ~before.rows);
    newly.cards = static_cast<std::uint8_t>(after.cards & ~before.cards);
    newly.ticket = after.ticket && !before.ticket;
    Changed(kMarks | kCalls);
    return true;
}

void Ticket::PutBack(const Numbers& numbers, const Cells& unreadable, const Marks& marks,
                     std::int32_t fillPosition, const std::vector<std::uint8_t>& delivered) {
    numbers_ = numbers;
    unreadable_ = unreadable;
    RecountHeld();
    delivered_ = delivered;
    // The marks come back as kept, not necessarily what the rule would make of them; what made
    // them is told again by the calls.
    Marks replayed;
    Replay(replayed);
    marks_ = marks;
    settled_ = false;
    changedAt_.fill(0); // the kept numbers stood through the kept calls
    fillPosition_ = std::clamp(fillPosition, -1, kPlaces - 1);
    Changed(kNumbers | kMarks | kCalls);
}

bool Ticket::SameGame(const Ticket& o) const {
    return numbers_ == o.numbers_ && marks_ == o.marks_ && unreadable_ == o.unreadable_ &&
           delivered_ == o.delivered_ && completed_ == o.completed_ && fillPosition_ == o.fillPosition_;
}

} // namespace lotto::game
