#include "logic/format_str.h"

namespace qo {
namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

void TQOFormatStr::SetArgumentCount(std::int32_t count) {
    argumentCount_ = count;
    arguments.assign(count > 0 ? static_cast<std::size_t>(count) : 0, TEventLink{});
}

void TQOFormatStr::Format(TData& d, std::uint16_t) {
    if (argumentCount_ <= 0) {
        FireString(resultOutput, mask);
        return;
    }
    // The text still to scan is kept reversed, its next character at the back: an argument to be
    // scanned again is pushed on at the cost of its own length, never of the rest of the text.
    // Editing one string in place cost a move of the whole tail per placeholder, and past the
    // bounds a mask can still hold tens of thousands of them (seconds for one call).
    std::string done;
    std::string rest(mask.rbegin(), mask.rend());
    int insertions = 0;
    // NOTE: the scan stops before the last character, so a trailing % is left as it is.
    while (rest.size() >= 2) {
        const char next = rest[rest.size() - 2];
        if (rest.back() != '%') {
            done += rest.back();
            rest.pop_back();
        } else if (next == '%') {
            done += '%';
            rest.resize(rest.size() - 2);
        } else if (IsDigit(next)) {
            std::size_t length = 1; // the % and the digits after it
            std::uint16_t n = 0;    // wraps above 65535, as the placeholder number always has
            for (; length < rest.size() && IsDigit(rest[rest.size() - 1 - length]); ++length) {
                n = static_cast<std::uint16_t>(n * 10u +
                                               static_cast<unsigned>(rest[rest.size() - 1 - length] - '0'));
            }
            if (n == 0 || n > argumentCount_) {
                done.append(rest.rbegin(), rest.rbegin() + static_cast<std::ptrdiff_t>(length));
                rest.resize(rest.size() - length);
                continue;
            }
            rest.resize(rest.size() - length);
            // Arguments whose links are open take the event's values in order of occurrence.
            const std::string arg = TakeString(d, arguments[n - 1u]);
            ++insertions;
            const bool rescan = skipInserted != 1 && insertions < maxRescannedInsertions &&
                                done.size() + arg.size() + rest.size() <= maxRescannedLength;
            if (rescan) {
                rest.append(arg.rbegin(), arg.rend());
            } else {
                done += arg;
            }
        } else {
            done += '%';
            rest.pop_back();
        }
    }
    done.append(rest.rbegin(), rest.rend());
    FireString(resultOutput, done);
}

} // namespace qo
