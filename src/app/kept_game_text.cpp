// The kept game's snapshot and the text made of it; taking the text apart is kept_game.cpp's.
#include "app/kept_game.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <type_traits>

#include "app/inline_code_d9d224.h"
#include "app/kept_game_format.h"

namespace lotto {
namespace {

using Cells = TQOInlineCode_D9D224;
using kept::Checksum;
using kept::kMajor;
using kept::kMinor;
using kept::kVersionWord;
using kept::PlainNumber;

// Colours as letters, so a ticket's colours read as one word of 54 letters.
bool ColourOf(char letter, qo::Color& out) {
    switch (letter) {
    case 'W':
        out = Cells::kWhite;
        return true;
    case 'R':
        out = Cells::kRed;
        return true;
    case 'G':
        out = Cells::kGreen;
        return true;
    case 'Y':
        out = Cells::kYellow;
        return true;
    case 'B':
        out = Cells::kLightBlue;
        return true;
    default:
        return false;
    }
}

} // namespace

bool KeptGameSnapshot::sameGame(const KeptGameSnapshot& o) const {
    // Thousands of tickets compared as the bytes they are: a ticket has no padding and no two
    // ways of holding one value.
    static_assert(std::has_unique_object_representations_v<Ticket>);
    const bool sameTickets = tickets.size() == o.tickets.size() &&
                             (tickets.empty() || std::memcmp(tickets.data(), o.tickets.data(),
                                                             tickets.size() * sizeof(Ticket)) == 0);
    return sameTickets && delivered == o.delivered && odd == o.odd && texts == o.texts &&
           realMoves == o.realMoves && virtualOpen == o.virtualOpen && virtualDrawn == o.virtualDrawn &&
           virtualCount == o.virtualCount;
}

void KeptGameSnapshot::Clear() {
    tickets.clear();
    delivered.clear();
    odd.clear();
    texts.clear();
    realMoves.clear();
    virtualOpen = false;
    virtualDrawn.clear();
    virtualCount.clear();
    endedByClosing = false;
}

KeptGameSnapshot::Ticket& KeptGameSnapshot::AddTicket(std::int32_t fillPosition) {
    Ticket& t = tickets.emplace_back();
    t.fillPosition = fillPosition;
    t.deliveredEnd = static_cast<std::uint32_t>(delivered.size());
    t.oddEnd = static_cast<std::uint32_t>(odd.size());
    t.textsEnd = static_cast<std::uint32_t>(texts.size());
    return t;
}

void KeptGameSnapshot::AddOddCell(int cell, std::string_view text) {
    texts += text;
    odd.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint32_t>(texts.size())});
    tickets.back().numbers[static_cast<std::size_t>(cell)] = 0;
    tickets.back().oddEnd = static_cast<std::uint32_t>(odd.size());
}

void KeptGameSnapshot::EndTicket(const std::uint8_t* from, std::size_t count, std::string_view notes) {
    delivered.insert(delivered.end(), from, from + count);
    texts += notes;
    Ticket& t = tickets.back();
    t.deliveredEnd = static_cast<std::uint32_t>(delivered.size());
    t.oddEnd = static_cast<std::uint32_t>(odd.size());
    t.textsEnd = static_cast<std::uint32_t>(texts.size());
}

namespace {

// The letters of the marks, in game::Mark's order: a colour set from outside is kept as none.
constexpr char kMarkLetters[] = {'W', 'R', 'G', 'Y', 'B', 'W'};
static_assert(std::size(kMarkLetters) == static_cast<std::size_t>(game::Mark::Other) + 1);

char LetterOf(game::Mark mark) {
    return kMarkLetters[static_cast<std::size_t>(mark)];
}

// A colour the rule never gives is kept as white.
game::Mark MarkOf(qo::Color colour) {
    const game::Mark mark = Cells::MarkOf(colour);
    return mark == game::Mark::Other ? game::Mark::None : mark;
}

// One ticket's share of the snapshot's arrays.
struct Share {
    std::size_t deliveredFrom, oddFrom, textsFrom;
};

Share ShareOf(const KeptGameSnapshot& s, std::size_t ticket) {
    if (ticket == 0) return {0, 0, 0};
    const KeptGameSnapshot::Ticket& before = s.tickets[ticket - 1];
    return {before.deliveredEnd, before.oddEnd, before.textsEnd};
}

// Every byte that could end a line, split a field or change meaning in another code page is
// written as %XX, so any text comes back byte for byte and the file stays plain ASCII.
void AppendEncoded(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b > ' ' && b < 0x7F && b != '%' && b != ';') {
            out += ch;
        } else {
            const char escaped[3] = {'%', kHex[b >> 4], kHex[b & 15]};
            out.append(escaped, 3);
        }
    }
}

void AppendNumber(std::string& out, long long n) {
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, end);
}

template <class N> void AppendNumbers(std::string& out, const N* from, const N* to) {
    for (const N* n = from; n != to; ++n) {
        if (n != from) out += ' ';
        AppendNumber(out, static_cast<long long>(*n));
    }
}

// "word value" and the line's end; a record without a value is the word alone.
void Record(std::string& out, std::string_view word, std::string_view value) {
    out += word;
    if (!value.empty()) {
        out += ' ';
        out += value;
    }
    out += "\r\n";
}

} // namespace

void KeptGameSnapshot::TicketAt(std::size_t i, KeptTicket& k) const {
    const Ticket& t = tickets[i];
    const Share from = ShareOf(*this, i);
    for (std::size_t c = 0; c < t.numbers.size(); ++c) {
        if (t.numbers[c] != 0) {
            k.cells[c] = std::to_string(t.numbers[c]);
        } else {
            k.cells[c].clear();
        }
        ColourOf(LetterOf(t.marks[c]), k.colours[c]);
    }
    std::size_t text = from.textsFrom;
    for (std::size_t o = from.oddFrom; o < t.oddEnd; ++o) {
        k.cells[odd[o].cell].assign(texts, text, odd[o].textEnd - text);
        text = odd[o].textEnd;
    }
    k.notes.assign(texts, text, t.textsEnd - text);
    k.fillPosition = t.fillPosition;
    k.delivered.assign(delivered.begin() + static_cast<std::ptrdiff_t>(from.deliveredFrom),
                       delivered.begin() + static_cast<std::ptrdiff_t>(t.deliveredEnd));
}

KeptGame KeptGameSnapshot::Game() const {
    KeptGame g;
    g.tickets.resize(tickets.size());
    for (std::size_t i = 0; i < tickets.size(); ++i)
        TicketAt(i, g.tickets[i]);
    g.realMoves = realMoves;
    g.virtualOpen = virtualOpen;
    g.virtualDrawn = virtualDrawn;
    g.virtualCount = virtualCount;
    g.endedByClosing = endedByClosing;
    return g;
}

void KeptGameSnapshot::Add(const KeptTicket& k) {
    Ticket& t = AddTicket(k.fillPosition);
    for (std::size_t c = 0; c < k.cells.size(); ++c) {
        t.marks[c] = MarkOf(k.colours[c]);
        const int n = PlainNumber(k.cells[c]);
        if (n != 0) {
            t.numbers[c] = static_cast<std::uint8_t>(n);
        } else if (!k.cells[c].empty()) {
            AddOddCell(static_cast<int>(c), k.cells[c]);
        }
    }
    EndTicket(k.delivered.data(), k.delivered.size(), k.notes);
}

KeptGameSnapshot KeptGameSnapshot::Of(const KeptGame& game) {
    KeptGameSnapshot s;
    s.tickets.reserve(game.tickets.size());
    for (const KeptTicket& k : game.tickets)
        s.Add(k);
    s.realMoves = game.realMoves;
    s.virtualOpen = game.virtualOpen;
    s.virtualDrawn = game.virtualDrawn;
    s.virtualCount = game.virtualCount;
    s.endedByClosing = game.endedByClosing;
    return s;
}

std::string KeptGameText(const KeptGame& game) {
    return KeptGameText(KeptGameSnapshot::Of(game));
}

namespace {

// Writes the text straight into room made for it beforehand: millions of bytes, each appended
// through the string's checks, would cost more than every other part of the write.
class RawText {
public:
    explicit RawText(char* at) : at_(at) {}
    char* at() const { return at_; }
    void Put(char c) { *at_++ = c; }
    void Put(std::string_view s) {
        std::memcpy(at_, s.data(), s.size());
        at_ += s.size();
    }
    void PutNumber(long long n) { at_ = std::to_chars(at_, at_ + 24, n).ptr; }
    void PutEncoded(std::string_view bytes) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (const char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            if (b > ' ' && b < 0x7F && b != '%' && b != ';') {
                *at_++ = ch;
            } else {
                at_[0] = '%';
                at_[1] = kHex[b >> 4];
                at_[2] = kHex[b & 15];
                at_ += 3;
            }
        }
    }
    template <class N> void PutNumbers(const N* from, const N* to) {
        for (const N* n = from; n != to; ++n) {
            if (n != from) Put(' ');
            PutNumber(static_cast<long long>(*n));
        }
    }

private:
    char* at_;
};

// The most a ticket's lines can take: every field at its longest (the entry box's place as any
// number at all), every byte of its texts escaped.
constexpr std::size_t kTicketLines =
    std::string_view("ticket \r\n").size() + std::numeric_limits<std::int32_t>::digits10 + 2 +
    std::string_view("cells \r\n").size() + KeptGameSnapshot::kCells * 3 +
    std::string_view("colours \r\n").size() + KeptGameSnapshot::kCells +
    std::string_view("notes \r\n").size() + std::string_view("delivered \r\n").size();

} // namespace

std::string KeptGameText(const KeptGameSnapshot& game) {
    std::string text;
    std::string value;
    value = std::to_string(kMajor) + "." + std::to_string(kMinor);
    Record(text, kVersionWord, value);
    // Each delivered number takes at most three bytes with its space; each text byte three escaped.
    const std::size_t start = text.size();
    text.resize(start + game.tickets.size() * kTicketLines + game.texts.size() * 3 +
                game.delivered.size() * 4);
    RawText out(text.data() + start);
    for (std::size_t i = 0; i < game.tickets.size(); ++i) {
        const KeptGameSnapshot::Ticket& t = game.tickets[i];
        const Share from = ShareOf(game, i);
        out.Put("ticket ");
        out.PutNumber(t.fillPosition);
        out.Put("\r\ncells ");
        std::size_t odd = from.oddFrom, oddText = from.textsFrom;
        for (std::size_t c = 0; c < t.numbers.size(); ++c) {
            if (c > 0) out.Put(';');
            if (odd < t.oddEnd && game.odd[odd].cell == c) {
                const std::uint32_t end = game.odd[odd].textEnd;
                out.PutEncoded(std::string_view(game.texts).substr(oddText, end - oddText));
                oddText = end;
                ++odd;
            } else if (const int n = t.numbers[c]; n >= 10) {
                out.Put(static_cast<char>('0' + n / 10));
                out.Put(static_cast<char>('0' + n % 10));
            } else if (n > 0) {
                out.Put(static_cast<char>('0' + n));
            }
        }
        out.Put("\r\ncolours ");
        for (const game::Mark m : t.marks)
            out.Put(LetterOf(m));
        out.Put("\r\n");
        if (t.textsEnd > oddText) {
            out.Put("notes ");
            out.PutEncoded(std::string_view(game.texts).substr(oddText, t.textsEnd - oddText));
            out.Put("\r\n");
        }
        if (t.deliveredEnd > from.deliveredFrom) {
            out.Put("delivered ");
            out.PutNumbers(game.delivered.data() + from.deliveredFrom,
                           game.delivered.data() + t.deliveredEnd);
            out.Put("\r\n");
        }
    }
    text.resize(static_cast<std::size_t>(out.at() - text.data()));
    value.clear();
    AppendNumbers(value, game.realMoves.data(), game.realMoves.data() + game.realMoves.size());
    Record(text, "real", value);
    Record(text, "moves", std::to_string(game.realMoves.size()));
    Record(text, "virtual", game.virtualOpen ? "open" : "closed");
    value.clear();
    AppendNumbers(value, game.virtualDrawn.data(), game.virtualDrawn.data() + game.virtualDrawn.size());
    Record(text, "drawn", value);
    value.clear();
    AppendEncoded(value, game.virtualCount);
    Record(text, "count", value);
    if (game.endedByClosing) Record(text, "ended", {});
    const std::uint32_t sum = Checksum(text);
    char hex[9];
    const auto [end, ec] = std::to_chars(hex, hex + 8, sum, 16);
    Record(text, "end", std::string_view(hex, static_cast<std::size_t>(end - hex)));
    return text;
}

} // namespace lotto
