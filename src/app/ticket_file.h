#pragma once
// The ticket file's content, apart from where it is read or written: the numbers line (each
// non-empty cell's text followed by ";") and the notes lines. Lines are split and joined by the
// layer's StringList, so CR and CR LF end a line and every written line ends with CR LF.
#include <string>
#include <string_view>
#include <vector>

namespace qo {
class StringList;
}

namespace lotto {

// The text to be written: the numbers line, CR LF, then the notes as given (each line + CR LF).
std::string TicketFileText(const std::vector<std::string>& cellTexts, std::string_view notes);

struct TicketFileContent {
    std::string numbers;
    std::string notes; // the lines after the first, joined by CR LF, with no final line break
};

// The content of the lines read; false for a file with no line at all (an empty file).
bool ParseTicketFile(const qo::StringList& lines, TicketFileContent& out);

// The tokens of a numbers line as they are placed: split at ";", at most 54, a final ";" giving
// no empty token after it.
std::vector<std::string> NumberTokens(std::string_view numbers);

} // namespace lotto
