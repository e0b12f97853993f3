#pragma once
// What the caller says: a number in Russian words ("сорок семь"), the game's old nickname for it
// where there is one, and the call of a ticket's completion ("Билет три: ряд!"). Texts only; when and
// how they are spoken is the voice block's and the platform's.
#include <string>

namespace lotto {

// 1…999 in words, Windows-1251; other numbers as digits.
std::string NumberWords(int n);
// The nickname of a number of the game, Windows-1251; "" when it has none.
std::string Nickname(int n);
// A drawn number as the caller says it: its words, then ", " and its nickname when asked and known.
std::string CallPhrase(int n, bool withNickname);

// What one call completed on a ticket, as the caller says it: the largest of the whole ticket, a
// card, and its rows. "" when nothing.
std::string CompletionPhrase(int ticketNumber, int rows, int cards, bool ticket);

} // namespace lotto
