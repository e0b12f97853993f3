#include "app/kept_game.h"

#include <algorithm>
#include <charconv>

#include "app/kept_game_format.h"

namespace lotto {
namespace {

using kept::Checksum;
using kept::kMajor;
using kept::kVersionWord;
using kept::PlainNumber;

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
