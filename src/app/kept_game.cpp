#include "app/kept_game.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <type_traits>

#include "app/inline_code_d9d224.h"

namespace lotto {
namespace {

using Cells = TQOInlineCode_D9D224;

constexpr std::string_view kVersionWord = "fishkodrom-game";
constexpr int kMajor = 1;
constexpr int kMinor = 1;

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

// FNV-1a over the text before the check line: enough to see a torn or edited file.
std::uint32_t Checksum(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool Decoded(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return false;
        const int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

bool ToInt(std::string_view text, int& out) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

// Numbers 1…90 separated by single spaces, none twice; `out` is changed only when all are right.
bool GameNumbers(std::string_view text, std::vector<int>& result) {
    std::vector<int> out;
    bool seen[91] = {};
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        int n = 0;
        if (!ToInt(text.substr(0, space), n) || n < 1 || n > 90 || seen[n]) return false;
        seen[n] = true;
        out.push_back(n);
        if (space == std::string_view::npos) break;
        text.remove_prefix(space + 1);
        if (text.empty()) return false;
    }
    result = std::move(out);
    return true;
}

// Numbers 1…90 separated by single spaces, repeats allowed (a number drawn and also called).
bool Deliveries(std::string_view text, std::vector<std::uint8_t>& result) {
    std::vector<std::uint8_t> out;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        int n = 0;
        if (!ToInt(text.substr(0, space), n) || n < 1 || n > 90) return false;
        out.push_back(static_cast<std::uint8_t>(n));
        if (space == std::string_view::npos) break;
        text.remove_prefix(space + 1);
        if (text.empty()) return false;
    }
    result = std::move(out);
    return true;
}

// What a cell can hold: up to two digits.
bool CellText(std::string_view text) {
    return text.size() <= 2 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A cell's text that is one of the numbers a cell is read as, written the one way it is read.
int PlainNumber(std::string_view text) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || text.size() > 2 || text[0] == '0' || !std::all_of(text.begin(), text.end(), digit))
        return 0;
    return text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
}

// The ticket being read, held until it is whole: its records may come in any order, and each
// joins only once all its fields are right.
struct Staged {
    KeptGameSnapshot::Ticket ticket;
    std::vector<std::pair<std::uint8_t, std::string>> odd; // by cell
    std::string notes;
    std::vector<std::uint8_t> delivered;
};

// A cell's text as the snapshot holds it: its number, or beside it as an odd text.
void PutCell(std::size_t cell, std::string_view text,
             std::array<std::uint8_t, KeptGameSnapshot::kCells>& numbers,
             std::vector<std::pair<std::uint8_t, std::string>>& odd) {
    const int n = PlainNumber(text);
    numbers[cell] = static_cast<std::uint8_t>(n);
    if (n == 0 && !text.empty()) odd.emplace_back(static_cast<std::uint8_t>(cell), std::string(text));
}

bool ReadCells(std::string_view text, Staged& t) {
    // One pass over the line finds the fields, and the cells change only once all are right. A
    // field with nothing escaped (every one this program writes) is read where it stands.
    std::array<std::string_view, KeptGameSnapshot::kCells> fields;
    std::size_t field = 0, start = 0;
    bool escaped = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ';';
        if (c == '%') {
            escaped = true;
        } else if (c == ';') {
            if (field >= fields.size()) return false;
            fields[field++] = text.substr(start, i - start);
            start = i + 1;
        } else if ((c < '0' || c > '9') && !escaped) {
            return false;
        }
    }
    if (field != fields.size()) return false;
    std::array<std::uint8_t, KeptGameSnapshot::kCells> numbers;
    std::vector<std::pair<std::uint8_t, std::string>> odd;
    if (!escaped) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].size() > 2) return false;
        }
        // Digits only, as the pass above saw: a number unless it starts with a zero.
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string_view f = fields[i];
            if (f.empty()) {
                numbers[i] = 0;
            } else if (f[0] == '0') {
                PutCell(i, f, numbers, odd);
            } else {
                numbers[i] =
                    static_cast<std::uint8_t>(f.size() == 1 ? f[0] - '0' : (f[0] - '0') * 10 + (f[1] - '0'));
            }
        }
    } else {
        std::string cell;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (!Decoded(fields[i], cell) || !CellText(cell)) return false;
            PutCell(i, cell, numbers, odd);
        }
    }
    t.ticket.numbers = numbers;
    t.odd = std::move(odd);
    return true;
}

bool ReadColours(std::string_view text, Staged& t) {
    if (text.size() != KeptGameSnapshot::kCells) return false;
    game::Marks marks;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        switch (text[i]) {
        case 'W':
            marks[i] = game::Mark::None;
            break;
        case 'R':
            marks[i] = game::Mark::Called;
            break;
        case 'G':
            marks[i] = game::Mark::Row;
            break;
        case 'Y':
            marks[i] = game::Mark::Card;
            break;
        case 'B':
            marks[i] = game::Mark::Ticket;
            break;
        default:
            return false;
        }
    }
    t.ticket.marks = marks;
    return true;
}

// "1.0" → major and minor.
bool ReadVersion(std::string_view text, int& major, int& minor) {
    const std::size_t dot = text.find('.');
    return dot != std::string_view::npos && ToInt(text.substr(0, dot), major) &&
           ToInt(text.substr(dot + 1), minor) && major >= 0 && minor >= 0;
}

struct Reader {
    KeptGameSnapshot& game;
    Staged staged;
    bool open = false;
    void Flush() {
        if (!open) return;
        open = false;
        KeptGameSnapshot::Ticket& t = game.AddTicket(staged.ticket.fillPosition);
        t.numbers = staged.ticket.numbers;
        t.marks = staged.ticket.marks;
        for (const auto& [cell, text] : staged.odd)
            game.AddOddCell(cell, text);
        game.EndTicket(staged.delivered.data(), staged.delivered.size(), staged.notes);
    }
    // The next ticket, in the last one's storage.
    void Start(int fillPosition) {
        Flush();
        staged.ticket = KeptGameSnapshot::Ticket{};
        staged.ticket.fillPosition = fillPosition;
        staged.odd.clear();
        staged.notes.clear();
        staged.delivered.clear();
        open = true;
    }
};

bool TakeRecord(std::string_view word, std::string_view value, Reader& in) {
    KeptGameSnapshot& game = in.game;
    Staged* last = in.open ? &in.staged : nullptr;
    if (word == "ticket") {
        int fill = 0;
        if (!ToInt(value, fill) || fill < -1 || fill > 29) return false;
        in.Start(fill);
        return true;
    }
    if (word == "cells") return last && ReadCells(value, *last);
    if (word == "colours") return last && ReadColours(value, *last);
    if (word == "delivered") return last && Deliveries(value, last->delivered);
    std::string decoded;
    if (word == "notes") {
        if (!last || !Decoded(value, decoded)) return false;
        last->notes = std::move(decoded);
        return true;
    }
    if (word == "real") return GameNumbers(value, game.realMoves);
    if (word == "moves") {
        int count = 0; // the count the window showed; the moves themselves say it
        return ToInt(value, count) && count == static_cast<int>(game.realMoves.size());
    }
    if (word == "virtual") {
        if (value != "open" && value != "closed") return false;
        game.virtualOpen = value == "open";
        return true;
    }
    if (word == "drawn") return GameNumbers(value, game.virtualDrawn);
    if (word == "count") {
        if (!Decoded(value, decoded) || !CellText(decoded)) return false;
        game.virtualCount = std::move(decoded);
        return true;
    }
    if (word == "ended") {
        game.endedByClosing = value.empty();
        return value.empty();
    }
    return true;
}

} // namespace

bool KeptGame::empty() const {
    return tickets.empty() && realMoves.empty() && !virtualOpen && virtualDrawn.empty();
}

bool KeptGame::sameGame(const KeptGame& other) const {
    return tickets == other.tickets && realMoves == other.realMoves && virtualOpen == other.virtualOpen &&
           virtualDrawn == other.virtualDrawn && virtualCount == other.virtualCount;
}

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

game::Mark MarkOf(qo::Color colour) {
    switch (colour) {
    case Cells::kRed:
        return game::Mark::Called;
    case Cells::kGreen:
        return game::Mark::Row;
    case Cells::kYellow:
        return game::Mark::Card;
    case Cells::kLightBlue:
        return game::Mark::Ticket;
    default:
        return game::Mark::None;
    }
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

KeptGameReading ReadKeptGame(std::string_view text, KeptGame& game) {
    KeptGameSnapshot read;
    const KeptGameReading r = ReadKeptGame(text, read);
    game = read.Game();
    return r;
}

KeptGameReading ReadKeptGame(std::string_view text, KeptGameSnapshot& game) {
    game = KeptGameSnapshot{};
    Reader in{game, {}, false};
    // Room for every ticket at once: thousands of tickets moved at each growth cost more than
    // counting them.
    std::size_t tickets = 0;
    for (std::size_t at = text.find("\nticket "); at != std::string_view::npos;
         at = text.find("\nticket ", at + 1))
        ++tickets;
    game.tickets.reserve(tickets);
    KeptGameReading r;
    std::size_t pos = 0;
    bool first = true, checked = false;
    while (pos < text.size() && !checked) {
        const std::size_t lineStart = pos;
        std::size_t eol = text.find('\n', pos);
        std::string_view line = text.substr(pos, eol == std::string_view::npos ? eol : eol - pos);
        pos = eol == std::string_view::npos ? text.size() : eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t space = line.find(' ');
        const std::string_view word = line.substr(0, space);
        const std::string_view value =
            space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
        if (first) {
            int major = 0, minor = 0;
            if (word != kVersionWord || !ReadVersion(value, major, minor)) return r; // NotOurs
            if (major > kMajor) {
                r.outcome = KeptGameReading::Outcome::Newer;
                return r;
            }
            first = false;
            continue;
        }
        if (word == "end") {
            std::uint32_t sum = 0;
            const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), sum, 16);
            checked = ec == std::errc() && end == value.data() + value.size() &&
                      sum == Checksum(text.substr(0, lineStart));
            break;
        }
        if (!TakeRecord(word, value, in)) ++r.badLines;
    }
    in.Flush();
    if (first) return r; // not even a version line
    if (!checked) r.truncated = true;
    r.outcome =
        r.badLines == 0 && !r.truncated ? KeptGameReading::Outcome::Read : KeptGameReading::Outcome::Damaged;
    return r;
}

} // namespace lotto
