#pragma once
// The shape of a ticket of the 90-number game, written once for everything that lays out, marks,
// prints or keeps one: two cards of three rows by nine columns, five numbers a row, a column per
// decade with 90 joining the 80s. Cells are numbered from 0 by card, row, column.
#include <cstdint>

namespace lotto::game {

inline constexpr int kCards = 2;
inline constexpr int kRowsPerCard = 3;
inline constexpr int kRows = kCards * kRowsPerCard; // the ticket's rows, 0…5
inline constexpr int kColumns = 9;
inline constexpr int kCellsPerCard = kRowsPerCard * kColumns;
inline constexpr int kCells = kCards * kCellsPerCard;
inline constexpr int kNumbersPerRow = 5;
inline constexpr int kPlaces = kNumbersPerRow * kRows; // the numbers a filled ticket holds
inline constexpr int kLargest = 90;                    // numbers run 1…90

constexpr bool IsNumberOfTheGame(std::int32_t n) {
    return n >= 1 && n <= kLargest;
}
// The column a number 1…90 belongs to: its decade, with 90 joining the 80s.
constexpr int ColumnOf(std::int32_t number) {
    return number >= kLargest ? kColumns - 1 : number / 10;
}
constexpr int CellAt(int row, int column) {
    return row * kColumns + column;
}
constexpr int RowOfCell(int cell) {
    return cell / kColumns;
}
constexpr int ColumnOfCell(int cell) {
    return cell % kColumns;
}
constexpr int CardOfCell(int cell) {
    return cell / kCellsPerCard;
}

} // namespace lotto::game
