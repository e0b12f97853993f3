#include "app/ticket_file.h"

#include "widgets/layer/string_list.h"

namespace lotto {

std::string TicketFileText(const std::vector<std::string>& cellTexts, std::string_view notes) {
    std::string text;
    for (const std::string& t : cellTexts) {
        if (t.empty()) continue;
        text += t;
        text += ';';
    }
    text += "\r\n";
    text += notes;
    return text;
}

bool ParseTicketFile(const qo::StringList& lines, TicketFileContent& out) {
    if (lines.count() == 0) return false;
    out.numbers = lines.get(0);
    out.notes.clear();
    for (std::size_t i = 1; i < lines.count(); ++i) {
        out.notes += lines.get(i);
        out.notes += "\r\n";
    }
    // Every line came with its own line end; the memo gets the text without the very last one.
    if (out.notes.size() >= 2) out.notes.resize(out.notes.size() - 2);
    return true;
}

std::vector<std::string> NumberTokens(std::string_view numbers) {
    std::vector<std::string> tokens;
    for (int taken = 0; taken < 54; ++taken) {
        const std::size_t semicolon = numbers.find(';');
        if (semicolon == std::string_view::npos) {
            tokens.emplace_back(numbers);
            break;
        }
        tokens.emplace_back(numbers.substr(0, semicolon));
        numbers.remove_prefix(semicolon + 1);
        if (numbers.empty()) break;
    }
    return tokens;
}

} // namespace lotto
