// Number texts. The input is read as an integer text and as a real text; its first bytes are also
// taken as a 32-bit integer and as a double (NaN, infinities and denormals included) to be written
// and read back. Writing a real must always end, give a plain positional text and, in the range
// where the reading side keeps its precision, read back to nearly the same value.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/data.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "check failed: %s [%s]\n", what, detail.c_str());
    std::abort();
}
#define FUZZ_CHECK(cond, detail)                                                                             \
    do {                                                                                                     \
        if (!(cond)) Fail(#cond, detail);                                                                    \
    } while (0)

// The integer reading, counted independently in 64 bits: a sign, then digits up to the first
// other byte, the value taken modulo 2^32.
std::int32_t ExpectedInteger(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        i = 1;
    }
    std::uint64_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        v = (v * 10 + static_cast<std::uint64_t>(s[i] - '0')) & 0xFFFFFFFFu;
    if (negative) v = (0x100000000u - v) & 0xFFFFFFFFu;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

void CheckRealText(double x) {
    char shown[32];
    std::snprintf(shown, sizeof shown, "%a", x);
    const std::string t = qo::RealToText(x);
    FUZZ_CHECK(!t.empty(), shown);
    if (!std::isfinite(x)) return;

    // Plain positional notation: an optional "-", digits, at most one ".", never a trailing 0 after it.
    std::size_t i = 0, digits = 0, significant = 0, points = 0;
    bool leading = true;
    if (t[0] == '-') i = 1;
    FUZZ_CHECK((i == 1) == (x < 0), shown + (" " + t));
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '.') {
            ++points;
            continue;
        }
        FUZZ_CHECK(c >= '0' && c <= '9', shown + (" " + t));
        ++digits;
        if (c != '0') leading = false;
        if (!leading) ++significant;
    }
    FUZZ_CHECK(points <= 1, shown + (" " + t));
    FUZZ_CHECK(digits > 0, shown + (" " + t));
    if (points == 1) {
        FUZZ_CHECK(t.back() != '0' && t.back() != '.', shown + (" " + t));
        FUZZ_CHECK(significant <= 15, shown + (" " + t));
    }
    // The longest text: "0." and 323 zeros before the 15 digits of the smallest denormal.
    FUZZ_CHECK(t.size() <= 360, shown + (" " + t));

    // 15 significant digits and a reader that sums its digits in doubles: a few units in the 13th
    // digit at most, while neither the digits nor their weights leave the normal range.
    const double a = std::fabs(x);
    if (a > 1e-280 && a < 1e280) {
        const double back = qo::TextToReal(t);
        FUZZ_CHECK(std::fabs(back - x) <= 1e-12 * a, shown + (" " + t));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    FUZZ_CHECK(qo::TextToInteger(text) == ExpectedInteger(text), std::string(text.substr(0, 40)));
    const double read = qo::TextToReal(text);
    CheckRealText(read);

    if (size >= sizeof(std::int32_t)) {
        std::int32_t v;
        std::memcpy(&v, data, sizeof v);
        const std::string t = qo::IntegerToText(v);
        FUZZ_CHECK(qo::TextToInteger(t) == v, t);
        FUZZ_CHECK(qo::TextToReal(t) == v, t);
    }
    if (size >= sizeof(double)) {
        double x;
        std::memcpy(&x, data, sizeof x);
        CheckRealText(x);
        qo::TData d;
        qo::MakeReal(d, x);
        (void)qo::ToInteger(d); // rounding of any double, saturated out of range
    }
    return 0;
}
