#pragma once
// What the lotto program should show after each user action, worked out on its own from how the
// program is meant to behave and not from its code: the tickets with their cells, colours, notes
// and places used, the number boxes, both games of the game window, the random source, and what
// the player is asked, hears and sees opened. The long random-use test compares it with the real
// program after every action.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace lottomodel {

// The program-wide generator: state ← state × 134775813 + 1, each draw state / 2^32.
struct Generator {
    std::uint32_t state = 0;
    double next() {
        state = state * 134775813u + 1u;
        return static_cast<double>(state) / 4294967296.0;
    }
};

// Nearest integer, a tie going to the even one (the default rounding mode does exactly that).
inline int Round(double x) {
    return static_cast<int>(std::nearbyint(x));
}

inline int Number(const std::string& digits) { // digits only, as every box of the program holds
    int n = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9') break;
        n = n * 10 + (ch - '0');
    }
    return n;
}

enum Colour : std::uint32_t {
    kWhite = 0xFFFFFF,
    kRed = 0x0000FF,
    kGreen = 0x00FF00,
    kYellow = 0x00FFFF,
    kLightBlue = 0xF0CAA6,
};

// A ticket row (0…5) named on its card, and whether a completion is a whole card.
inline std::string RowName(int row) {
    return "карточка " + std::to_string(row / 3 + 1) + ", ряд " + std::to_string(row % 3 + 1);
}
inline bool IsCard(const std::string& done) {
    return done.rfind("карточка", 0) == 0 && done.find("ряд") == std::string::npos;
}

struct Ticket {
    int id = 0;
    std::array<std::string, 54> text{};
    std::array<std::uint32_t, 54> colour{};
    std::array<std::string, 54> markedAs{}; // the text a cell held when it turned red
    std::set<std::string> calledSinceWhite; // numbers checked since the cells were last made white
    std::vector<std::string> delivered;     // the same, in the order they came, repeats kept
    // What each delivery completed: its place in `delivered`, and "весь билет", "карточка 1" or
    // "карточка 1, ряд 2", in that order within one delivery.
    std::vector<std::pair<std::size_t, std::string>> completed;
    // For each cell, how many deliveries had come when its number last changed.
    std::array<std::size_t, 54> changedAt{};
    int place = -1;    // places used since the numbers were cleared, minus one
    std::string notes; // as the memo holds it, CR LF breaks
    std::string entry; // the entry box

    Ticket() { colour.fill(kWhite); }

    void placeNumber(int n) {
        if (n < 1 || n > 90) return;
        ++place;
        const int row = place / 5;
        if (row > 5) return;
        const int column = n >= 90 ? 8 : n / 10;
        text[static_cast<std::size_t>(row * 9 + column)] = std::to_string(n);
        changedAt[static_cast<std::size_t>(row * 9 + column)] = delivered.size();
    }
    void clearNumbers() {
        for (std::size_t i = 0; i < 54; ++i) {
            if (!text[i].empty()) changedAt[i] = delivered.size();
        }
        text.fill({});
        place = -1;
    }
    // A cell's text typed: the number it reads as changed or not.
    void typed(std::size_t cell, const std::string& before, int (*value)(const std::string&)) {
        if (value(before) != value(text[cell])) changedAt[cell] = delivered.size();
    }
    void whiten() {
        colour.fill(kWhite);
        markedAs.fill({});
        calledSinceWhite.clear();
        delivered.clear();
        completed.clear();
        changedAt.fill(0);
    }
    // The cells as the calls since white, marked from white in their order, make them now.
    Ticket replayed() const {
        Ticket t = *this;
        t.colour.fill(kWhite);
        t.markedAs.fill({});
        t.delivered.clear();
        t.completed.clear();
        for (const std::string& c : delivered)
            t.check(c);
        return t;
    }
    // A call taken back, silently: a cell that held its number then and shows what the call made
    // shows what the other calls make of it now; a cell whose number changed since keeps its
    // colour. The call still counts as one made since the cells were white.
    void takeBack(const std::string& called) {
        const auto last = std::find(delivered.rbegin(), delivered.rend(), called);
        if (last == delivered.rend()) return;
        const auto k = static_cast<std::size_t>(std::distance(delivered.begin(), std::next(last).base()));
        const Ticket with = replayed();
        delivered.erase(std::next(last).base());
        const Ticket without = replayed();
        for (std::size_t i = 0; i < 54; ++i) {
            if (changedAt[i] <= k && colour[i] == with.colour[i]) {
                colour[i] = without.colour[i];
                markedAs[i] = without.markedAs[i];
            }
            if (changedAt[i] > k) --changedAt[i];
        }
        completed = without.completed;
    }
    // Marks a called number; returns the sounds it plays, in order.
    std::vector<int> check(const std::string& called) {
        std::vector<int> sounds;
        calledSinceWhite.insert(called);
        delivered.push_back(called);
        for (std::size_t i = 0; i < 54; ++i) {
            if (colour[i] == kWhite && text[i] == called) {
                colour[i] = kRed;
                markedAs[i] = text[i];
            }
        }
        auto count = [this](int first, int n, std::uint32_t c) {
            return static_cast<int>(std::count(colour.begin() + first, colour.begin() + first + n, c));
        };
        auto paint = [this](int first, int n, std::uint32_t c) {
            std::fill(colour.begin() + first, colour.begin() + first + n, c);
        };
        std::vector<std::string> made, cards; // what this delivery completed, rows and cards
        for (int row = 0; row < 6; ++row) {
            if (count(row * 9, 9, kRed) == 5) {
                paint(row * 9, 9, kGreen);
                sounds.push_back(1);
                made.push_back(RowName(row));
            }
        }
        for (int card = 0; card < 2; ++card) {
            if (count(card * 27, 27, kGreen) == 27) {
                paint(card * 27, 27, kYellow);
                sounds.push_back(2);
                cards.push_back("карточка " + std::to_string(card + 1));
            }
        }
        if (count(0, 54, kYellow) == 54) {
            paint(0, 54, kLightBlue);
            sounds.push_back(3);
            cards.insert(cards.begin(), "весь билет");
        }
        made.insert(made.begin(), cards.begin(), cards.end());
        for (const std::string& m : made)
            completed.emplace_back(delivered.size() - 1, m);
        return sounds;
    }
    void fill(Generator& g) {
        clearNumbers();
        whiten();
        std::set<int> used;
        for (int row = 0; row < 6; ++row) {
            std::set<int> columns;
            for (int i = 0; i < 5; ++i) {
                int m;
                do {
                    m = Round(8 * g.next() + 1);
                } while (columns.count(m));
                columns.insert(m);
                int n;
                do {
                    const double u = g.next();
                    n = m == 1   ? Round(8 * u + 1)
                        : m == 9 ? Round(10 * u + 80)
                                 : Round(9 * u + 10.0 * (m - 1));
                } while (used.count(n));
                used.insert(n);
                placeNumber(n);
            }
        }
    }
    // The bytes a save writes: the numbers line, then every memo line, each line ending CR LF.
    std::string fileBytes() const {
        std::string bytes;
        for (const std::string& t : text) {
            if (!t.empty()) bytes += t + ";";
        }
        return bytes + "\r\n" + notes + "\r\n";
    }
    // Opens a ticket file's bytes (false: the file holds no line at all).
    bool open(const std::string& bytes) {
        std::vector<std::string> lines;
        std::string line;
        const std::string text0 = bytes.substr(0, bytes.find('\0'));
        for (std::size_t i = 0; i < text0.size(); ++i) {
            if (text0[i] == '\r') {
                lines.push_back(line);
                line.clear();
                if (i + 1 < text0.size() && text0[i + 1] == '\n') ++i;
            } else {
                line += text0[i];
            }
        }
        if (!line.empty()) lines.push_back(line);
        if (lines.empty()) return false;
        notes.clear();
        for (std::size_t i = 1; i < lines.size(); ++i)
            notes += lines[i] + (i + 1 < lines.size() ? "\r\n" : "");
        clearNumbers();
        whiten();
        std::string numbers = lines[0];
        for (int taken = 0; taken < 54; ++taken) {
            const std::size_t semicolon = numbers.find(';');
            const std::string token = numbers.substr(0, semicolon);
            numbers = semicolon == std::string::npos ? std::string() : numbers.substr(semicolon + 1);
            placeNumber(Number(token)); // digits only here: every token was written from a cell
            if (numbers.empty()) break;
        }
        return true;
    }
};

// A number box of the program: digits only, at most two, 91…99 turn into 90 as they are typed.
inline void TypeInto(std::string& box, char digit) {
    if (box.size() >= 2) return;
    box += digit;
    if (Number(box) > 90) box = "90";
}

struct Program {
    Generator random;
    std::vector<Ticket> tickets;
    int nextId = 1;
    std::string numberBox;

    // The game window.
    bool gameVisible = false;
    bool virtualOpen = false;
    std::vector<int> drawn;
    std::vector<int> called;
    std::string autogenCount;

    std::vector<int> sounds;
    std::vector<std::string> questions; // texts of the boxes asked, UTF-8
    std::map<std::string, std::string> files;
    std::vector<int> pages; // advertisement page numbers opened

    void checkAll(int number) {
        if (number < 1 || number > 90) return; // 0 from the number box marks nothing, not even a "0" cell
        const std::string s = std::to_string(number);
        for (Ticket& t : tickets) {
            for (int sound : t.check(s))
                sounds.push_back(sound);
        }
    }
    void confirmNumberBox() {
        if (numberBox.empty()) return;
        const int n = Number(numberBox);
        numberBox.clear();
        checkAll(n);
        if (n != 0 && std::find(called.begin(), called.end(), n) == called.end()) called.push_back(n);
    }
    // A move of the real game removed: gone from the list, taken back from every ticket.
    void removeMove(std::size_t place) {
        if (place >= called.size()) return;
        const int n = called[place];
        called.erase(called.begin() + static_cast<std::ptrdiff_t>(place));
        for (Ticket& t : tickets)
            t.takeBack(std::to_string(n));
    }
    void draw() {
        if (!virtualOpen || drawn.size() >= 90) return;
        int n;
        do {
            n = static_cast<int>(std::floor(90 * random.next())) + 1;
        } while (std::find(drawn.begin(), drawn.end(), n) != drawn.end());
        drawn.push_back(n);
        checkAll(n);
    }
    void openCloseVirtual() {
        virtualOpen = !virtualOpen;
        drawn.clear();
    }
    void advertisement() { pages.push_back(Round(99 * random.next())); }
    std::string remainingLabel() const {
        return virtualOpen ? "Осталось: " + std::to_string(90 - drawn.size()) : "Сеанс закрыт";
    }
    std::string movesLabel() const { return "Ходов: " + std::to_string(called.size()); }
    // The "Ход игры" window's log: newest delivery first, then by ticket.
    std::string logText() const {
        std::vector<std::tuple<std::size_t, std::size_t, std::size_t, std::string>> lines;
        for (std::size_t t = 0; t < tickets.size(); ++t) {
            const Ticket& ticket = tickets[t];
            for (std::size_t i = 0; i < ticket.completed.size(); ++i) {
                const auto& [delivery, what] = ticket.completed[i];
                const std::string n = ticket.delivered[delivery];
                const auto move = std::find(called.begin(), called.end(), std::stoi(n));
                const auto drew = std::find(drawn.begin(), drawn.end(), std::stoi(n));
                std::string line =
                    move != called.end() ? "Ход " + std::to_string(move - called.begin() + 1) + " (" + n + ")"
                    : drew != drawn.end()
                        ? "Бочонок " + std::to_string(drew - drawn.begin() + 1) + " (" + n + ")"
                        : "Число " + n;
                lines.emplace_back(ticket.delivered.size() - 1 - delivery, t, i,
                                   line + ": билет " + std::to_string(t + 1) + ", " + what + "\r\n");
            }
        }
        std::sort(lines.begin(), lines.end());
        std::string text;
        for (const auto& l : lines)
            text += std::get<3>(l);
        return text;
    }
    bool hints = false; // "Подсказки"

    // What the cells' values read as: a number's own text, at most two digits; 0 for anything else.
    static int Value(const std::string& t) {
        if (t.empty() || t.size() > 2 || t[0] == '0') return 0;
        for (const char c : t)
            if (c < '0' || c > '9') return 0;
        return std::atoi(t.c_str());
    }
    // The hint each cell of ticket `t` shows: 0 none, 1/2/3 the last number of a row / card / the
    // whole ticket, 4 a number that cannot stand there, 5 a white one the game called before.
    std::array<int, 54> hintsFor(std::size_t t) const {
        const Ticket& ticket = tickets[t];
        std::array<int, 54> hint{};
        std::array<int, 100> seen{};
        std::vector<int> mine;
        for (std::size_t i = 0; i < 54; ++i) {
            const int v = Value(ticket.text[i]);
            if (v) ++seen[static_cast<std::size_t>(v)], mine.push_back(v);
        }
        std::sort(mine.begin(), mine.end());
        bool alike = false;
        for (std::size_t o = 0; o < tickets.size() && !mine.empty(); ++o) {
            if (o == t) continue;
            std::vector<int> theirs;
            for (const std::string& x : tickets[o].text)
                if (Value(x)) theirs.push_back(Value(x));
            std::sort(theirs.begin(), theirs.end());
            alike = alike || theirs == mine;
        }
        for (std::size_t i = 0; i < 54; ++i) {
            const int v = Value(ticket.text[i]);
            const auto row = ticket.text.begin() + static_cast<std::ptrdiff_t>(i / 9 * 9);
            const int inRow = static_cast<int>(
                std::count_if(row, row + 9, [](const std::string& x) { return Value(x) != 0; }));
            if ((alike && !ticket.text[i].empty()) || (!v && !ticket.text[i].empty()) ||
                (v && (v > 90 || (v >= 90 ? 8 : v / 10) != static_cast<int>(i % 9) ||
                       seen[static_cast<std::size_t>(v)] > 1 || inRow > 5))) {
                hint[i] = 4;
                continue;
            }
            if (ticket.colour[i] != kWhite || v == 0 || v > 90) continue;
            if (std::find(called.begin(), called.end(), v) != called.end() ||
                std::find(drawn.begin(), drawn.end(), v) != drawn.end()) {
                hint[i] = 5;
                continue;
            }
            Ticket after = ticket;
            after.check(ticket.text[i]);
            for (std::size_t c = ticket.completed.size(); c < after.completed.size(); ++c) {
                const std::string& done = after.completed[c].second;
                hint[i] = std::max(hint[i], done == "весь билет" ? 3 : IsCard(done) ? 2 : 1);
            }
        }
        return hint;
    }
    // The "Жду" list: each number standing in a white cell, called on a copy of every ticket.
    std::string waitingText() const {
        struct Waiting {
            std::array<int, 4> score{}; // whole tickets, cards, rows, rows left one away
            std::vector<std::string> what;
        };
        std::map<int, Waiting> byNumber;
        for (std::size_t t = 0; t < tickets.size(); ++t) {
            const Ticket& ticket = tickets[t];
            std::set<int> tried;
            for (std::size_t i = 0; i < 54; ++i) {
                const std::string& text = ticket.text[i];
                if (ticket.colour[i] != kWhite || text.empty() ||
                    std::to_string(std::atoi(text.c_str())) != text)
                    continue;
                const int n = std::atoi(text.c_str());
                if (n < 1 || n > 90 || !tried.insert(n).second) continue;
                Ticket after = ticket;
                after.check(text);
                Waiting& w = byNumber[n];
                const std::string name = "билет " + std::to_string(t + 1) + ", ";
                for (std::size_t c = ticket.completed.size(); c < after.completed.size(); ++c) {
                    const std::string& done = after.completed[c].second;
                    ++w.score[done == "весь билет" ? 0 : IsCard(done) ? 1 : 2];
                    w.what.push_back(name + done);
                }
                for (int row = 0; row < 6; ++row) {
                    const auto begin = after.colour.begin() + row * 9;
                    const int red = static_cast<int>(std::count(begin, begin + 9, kRed));
                    if (red == static_cast<int>(std::count(ticket.colour.begin() + row * 9,
                                                           ticket.colour.begin() + row * 9 + 9, kRed)))
                        continue; // the number does not stand in this row
                    for (int c = row * 9; c < row * 9 + 9; ++c) {
                        const std::string& m = after.text[static_cast<std::size_t>(c)];
                        if (after.colour[static_cast<std::size_t>(c)] != kWhite || m.empty()) continue;
                        int whiteAlike = 0;
                        for (int d = row * 9; d < row * 9 + 9; ++d)
                            whiteAlike += after.colour[static_cast<std::size_t>(d)] == kWhite &&
                                          after.text[static_cast<std::size_t>(d)] == m;
                        const int v = std::atoi(m.c_str());
                        if (v >= 1 && v <= 90 && std::to_string(v) == m && red + whiteAlike == 5) {
                            ++w.score[3];
                            w.what.push_back(name + RowName(row) + ": останется одно");
                            break;
                        }
                    }
                }
            }
        }
        std::vector<std::pair<std::array<int, 4>, int>> order;
        for (const auto& [n, w] : byNumber) {
            if (!w.what.empty()) order.emplace_back(w.score, n);
        }
        std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        std::string text;
        for (const auto& [score, n] : order) {
            const auto& what = byNumber[n].what;
            text += std::to_string(n) + " —";
            for (std::size_t i = 0; i < what.size() && i < 5; ++i)
                text += (i ? "; " : " ") + what[i];
            if (what.size() > 5) text += "; и ещё " + std::to_string(what.size() - 5);
            text += "\r\n";
        }
        return text;
    }
    static std::string Lines(const std::vector<int>& numbers) {
        std::string s;
        for (int n : numbers)
            s += std::to_string(n) + "\r\n";
        return s;
    }
};

} // namespace lottomodel
