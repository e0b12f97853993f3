#include "app/kept_game.h"

#include <algorithm>
#include <charconv>

#include "app/inline_code_d9d224.h"

namespace lotto {
namespace {

using Cells = TQOInlineCode_D9D224;

constexpr std::string_view kVersionWord = "fishkodrom-game";
constexpr int kMajor = 1;
constexpr int kMinor = 1;

// Colours as letters, so a ticket's colours read as one word of 54 letters.
constexpr std::array<std::pair<char, qo::Color>, 5> kColourLetters{{
    {'W', Cells::kWhite},
    {'R', Cells::kRed},
    {'G', Cells::kGreen},
    {'Y', Cells::kYellow},
    {'B', Cells::kLightBlue},
}};

char LetterOf(qo::Color c) {
    for (const auto& [letter, colour] : kColourLetters) {
        if (colour == c) return letter;
    }
    return 'W'; // a cell holds only the five colours; anything else would be no mark
}

bool ColourOf(char letter, qo::Color& out) {
    for (const auto& [l, colour] : kColourLetters) {
        if (l == letter) {
            out = colour;
            return true;
        }
    }
    return false;
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

// Every byte that could end a line, split a field or change meaning in another code page is
// written as %XX, so any text comes back byte for byte and the file stays plain ASCII.
std::string Encoded(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b > ' ' && b < 0x7F && b != '%' && b != ';') {
            out += ch;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
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

template <class N> std::string Numbers(const std::vector<N>& numbers) {
    std::string out;
    for (const int n : numbers) {
        if (!out.empty()) out += ' ';
        out += std::to_string(static_cast<int>(n));
    }
    return out;
}

// What a cell can hold: up to two digits.
bool CellText(std::string_view text) {
    return text.size() <= 2 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ReadCells(std::string_view text, KeptTicket& t) {
    std::array<std::string, KeptTicket::kCells> cells;
    std::size_t field = 0;
    for (;;) {
        const std::size_t semicolon = text.find(';');
        if (field >= cells.size()) return false;
        if (!Decoded(text.substr(0, semicolon), cells[field]) || !CellText(cells[field])) return false;
        ++field;
        if (semicolon == std::string_view::npos) break;
        text.remove_prefix(semicolon + 1);
    }
    if (field != cells.size()) return false;
    t.cells = std::move(cells);
    return true;
}

bool ReadColours(std::string_view text, KeptTicket& t) {
    if (text.size() != KeptTicket::kCells) return false;
    std::array<qo::Color, KeptTicket::kCells> colours;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (!ColourOf(text[i], colours[i])) return false;
    }
    t.colours = colours;
    return true;
}

// "1.0" → major and minor.
bool ReadVersion(std::string_view text, int& major, int& minor) {
    const std::size_t dot = text.find('.');
    return dot != std::string_view::npos && ToInt(text.substr(0, dot), major) &&
           ToInt(text.substr(dot + 1), minor) && major >= 0 && minor >= 0;
}

// Takes one record of the game; false when the record is known but its value is not right.
// A record this version does not know is no fault: a later minor version may add records.
bool TakeRecord(std::string_view word, std::string_view value, KeptGame& game) {
    KeptTicket* last = game.tickets.empty() ? nullptr : &game.tickets.back();
    if (word == "ticket") {
        int fill = 0;
        if (!ToInt(value, fill) || fill < -1 || fill > 29) return false;
        game.tickets.emplace_back().fillPosition = fill;
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

std::string KeptGameText(const KeptGame& game) {
    std::string text;
    text.reserve(64 + game.tickets.size() * 200);
    auto line = [&text](std::string_view word, std::string_view value) {
        text += word;
        if (!value.empty()) {
            text += ' ';
            text += value;
        }
        text += "\r\n";
    };
    line(kVersionWord, std::to_string(kMajor) + "." + std::to_string(kMinor));
    for (const KeptTicket& t : game.tickets) {
        line("ticket", std::to_string(t.fillPosition));
        std::string cells;
        for (std::size_t i = 0; i < t.cells.size(); ++i) {
            if (i > 0) cells += ';';
            cells += Encoded(t.cells[i]);
        }
        line("cells", cells);
        std::string colours(t.colours.size(), 'W');
        std::transform(t.colours.begin(), t.colours.end(), colours.begin(), LetterOf);
        line("colours", colours);
        if (!t.notes.empty()) line("notes", Encoded(t.notes));
        if (!t.delivered.empty()) line("delivered", Numbers(t.delivered));
    }
    line("real", Numbers(game.realMoves));
    line("moves", std::to_string(game.realMoves.size()));
    line("virtual", game.virtualOpen ? "open" : "closed");
    line("drawn", Numbers(game.virtualDrawn));
    line("count", Encoded(game.virtualCount));
    if (game.endedByClosing) line("ended", {});
    const std::uint32_t sum = Checksum(text);
    char hex[9];
    const auto [end, ec] = std::to_chars(hex, hex + 8, sum, 16);
    line("end", std::string(hex, end));
    return text;
}

KeptGameReading ReadKeptGame(std::string_view text, KeptGame& game) {
    game = KeptGame{};
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
        const std::string_view value = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
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
        if (!TakeRecord(word, value, game)) ++r.badLines;
    }
    if (first) return r; // not even a version line
    if (!checked) r.truncated = true;
    r.outcome = r.badLines == 0 && !r.truncated ? KeptGameReading::Outcome::Read : KeptGameReading::Outcome::Damaged;
    return r;
}

} // namespace lotto
