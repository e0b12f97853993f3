#include "app/paste_calls.h"

#include "runtime/cp1251.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"

namespace lotto {

TQOInlineCode_PasteCalls::Pieces TQOInlineCode_PasteCalls::Split(std::string_view text) {
    Pieces pieces;
    constexpr std::string_view kBetween = " \t\r\n,;";
    std::size_t at = 0;
    while ((at = text.find_first_not_of(kBetween, at)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(kBetween, at), text.size());
        const std::string_view piece = text.substr(at, end - at);
        at = end;
        const bool digits = piece.find_first_not_of("0123456789") == std::string_view::npos;
        pieces.digitPieces += digits ? 1 : 0;
        // The box takes two digits: "07" is 7, as typed; "007" or "95" is no call.
        const int n = digits && piece.size() <= 2 ? std::stoi(std::string(piece)) : 0;
        if (n >= 1 && n <= 90)
            pieces.numbers.push_back(n);
        else
            pieces.skipped.emplace_back(piece);
    }
    return pieces;
}

void TQOInlineCode_PasteCalls::Paste(qo::TData& d, std::uint16_t) {
    const Pieces pieces = Split(qo::ToText(d));
    // One number, or none, is pasted as the box pastes any text: "12" waits for Enter, "95"
    // becomes 90, "1a" is undone. Only what the box would undo whole is a list to catch up with.
    const bool list = pieces.digitPieces >= 2;
    qo::MakeInteger(d, list ? 1 : 0);
    if (!list) return;
    for (const int n : pieces.numbers)
        qo::FireInteger(enter, n);
    if (pieces.skipped.empty()) return;
    std::string named;
    for (const std::string& s : pieces.skipped) {
        if (!named.empty()) named += ", ";
        named += qo::Cp1251("«") + s + qo::Cp1251("»");
    }
    qo::ShowMessageBox(qo::OwnerControl(),
                       qo::Cp1251("Вставлено чисел: ") + std::to_string(pieces.numbers.size()) +
                           qo::Cp1251(". Пропущено то, что не число от 1 до 90: ") + named + ".",
                       qo::Cp1251("Вставка"), qo::MB_OK | qo::MB_ICONEXCLAMATION);
}

} // namespace lotto
