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
    std::string s = mask;
    int insertions = 0;
    if (argumentCount_ > 0) {
        // NOTE: the scan stops before the last character, so a trailing % is left as it is.
        std::size_t i = 0;
        while (i + 1 < s.size()) {
            if (s[i] != '%') {
                ++i;
            } else if (s[i + 1] == '%') {
                s.erase(i, 1);
                ++i;
            } else if (IsDigit(s[i + 1])) {
                std::size_t end = i + 1;
                std::uint16_t n = 0; // wraps above 65535, as the placeholder number always has
                for (; end < s.size() && IsDigit(s[end]); ++end) {
                    n = static_cast<std::uint16_t>(n * 10u + static_cast<unsigned>(s[end] - '0'));
                }
                if (n == 0 || n > argumentCount_) {
                    i = end;
                    continue;
                }
                // Arguments whose links are open take the event's values in order of occurrence.
                const std::string arg = TakeString(d, arguments[n - 1u]);
                s.replace(i, end - i, arg);
                ++insertions;
                const bool rescan = skipInserted != 1 && insertions < maxRescannedInsertions &&
                                    s.size() <= maxRescannedLength;
                if (!rescan) i += arg.size();
            } else {
                ++i;
            }
        }
    }
    FireString(resultOutput, s);
}

} // namespace qo
