#include "app/spoken_numbers.h"

#include <array>

#include "runtime/cp1251.h"

namespace lotto {
namespace {

constexpr std::array<const char*, 20> kUnits = {
    "",           "один",        "два",        "три",          "четыре",
    "пять",       "шесть",       "семь",       "восемь",       "девять",
    "десять",     "одиннадцать", "двенадцать", "тринадцать",   "четырнадцать",
    "пятнадцать", "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"};
constexpr std::array<const char*, 10> kTens = {
    "",          "",           "двадцать",  "тридцать",    "сорок",
    "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
constexpr std::array<const char*, 10> kHundreds = {
    "", "сто", "двести", "триста", "четыреста", "пятьсот", "шестьсот", "семьсот", "восемьсот", "девятьсот"};

struct Nick {
    int number;
    const char* words;
};
// The names players give the barrels at the table, as this program says them.
constexpr std::array<Nick, 20> kNicknames = {{
    {1, "кол"},
    {7, "кочерга"},
    {8, "крендель"},
    {11, "барабанные палочки"},
    {12, "дюжина"},
    {13, "чёртова дюжина"},
    {21, "очко"},
    {22, "гуси-лебеди"},
    {25, "опять двадцать пять"},
    {44, "стульчики"},
    {50, "полсотни"},
    {55, "перчатки"},
    {66, "валенки"},
    {69, "туда-сюда"},
    {77, "топорики"},
    {80, "бабушка"},
    {81, "бабушкин внук"},
    {88, "бабушкины очки"},
    {89, "дедушкин сосед"},
    {90, "дедушка"},
}};

void Append(std::string& to, const char* word) {
    if (!*word) return;
    if (!to.empty()) to += ' ';
    to += word;
}

} // namespace

std::string NumberWords(int n) {
    if (n < 1 || n > 999) return std::to_string(n);
    std::string words;
    Append(words, kHundreds[static_cast<std::size_t>(n / 100)]);
    const int rest = n % 100;
    if (rest < 20) {
        Append(words, kUnits[static_cast<std::size_t>(rest)]);
    } else {
        Append(words, kTens[static_cast<std::size_t>(rest / 10)]);
        Append(words, kUnits[static_cast<std::size_t>(rest % 10)]);
    }
    return qo::Cp1251(words);
}

std::string Nickname(int n) {
    for (const Nick& nick : kNicknames) {
        if (nick.number == n) return qo::Cp1251(nick.words);
    }
    return {};
}

std::string CallPhrase(int n, bool withNickname) {
    std::string phrase = NumberWords(n);
    const std::string nick = withNickname ? Nickname(n) : std::string();
    if (!nick.empty()) phrase += ", " + nick;
    return phrase;
}

std::string CompletionPhrase(int ticketNumber, int rows, int cards, bool ticket) {
    const char* what = ticket       ? "весь билет!"
                       : cards > 1  ? "обе карточки!"
                       : cards == 1 ? "карточка!"
                       : rows == 1  ? "ряд!"
                       : rows == 2  ? "два ряда!"
                       : rows > 2   ? "три ряда!"
                                    : nullptr;
    if (!what) return {};
    return qo::Cp1251("Билет ") + NumberWords(ticketNumber) + ": " + qo::Cp1251(what);
}

} // namespace lotto
