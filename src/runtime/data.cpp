#include "runtime/data.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace qo {

void MakeNull(TData& d) {
    d.kind = dkNull;
    d.next = nullptr;
}

void MakeInteger(TData& d, std::int32_t value) {
    d.kind = dkInteger;
    d.integer = value;
    d.forward = nullptr;
    d.next = nullptr;
}

void MakeString(TData& d, std::string_view text) {
    d.kind = dkString;
    d.text.assign(text.data(), text.size());
    d.forward = nullptr;
    d.next = nullptr;
}

void MakeReal(TData& d, double value) {
    d.kind = dkReal;
    d.real = value;
    d.forward = nullptr;
    d.next = nullptr;
}

std::int64_t RoundHalfEven(double x) {
    if (std::isnan(x)) return 0;
    // Values past the 64-bit range never arise in normal use; saturate rather than invoke UB.
    if (x >= 9.2233720368547758e18) return std::numeric_limits<std::int64_t>::max();
    if (x <= -9.2233720368547758e18) return std::numeric_limits<std::int64_t>::min();
    const double r = std::nearbyint(x); // the default rounding mode is to nearest, ties to even
    return static_cast<std::int64_t>(r);
}

std::int32_t ToInteger(const TData& d) {
    switch (d.kind) {
    case dkInteger:
        return d.integer;
    case dkString:
        return TextToInteger(d.text);
    case dkReal:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(RoundHalfEven(d.real)));
    default:
        return 0;
    }
}

double ToReal(const TData& d) {
    switch (d.kind) {
    case dkInteger:
        return d.integer;
    case dkString:
        return TextToReal(d.text);
    case dkReal:
        return d.real;
    default:
        return 0.0;
    }
}

std::string ToText(const TData& d) {
    switch (d.kind) {
    case dkInteger:
        return IntegerToText(d.integer);
    case dkString:
        return d.text;
    case dkReal:
        return RealToText(d.real);
    default:
        return {};
    }
}

bool ToBool(const TData& d) {
    return !(d.kind == dkInteger && d.integer == 0);
}

void ConsumeData(TData& e, TData& out) {
    out = e;
    if (e.next) {
        e = *e.next;
    } else {
        e.kind = dkNull;
    }
}

std::string IntegerToText(std::int32_t v) {
    char buf[12];
    char* p = buf + sizeof buf;
    // Work in unsigned so that -2147483648 needs no special case.
    std::uint32_t u = v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0) *--p = '-';
    return std::string(p, buf + sizeof buf);
}

std::int32_t TextToInteger(std::string_view s) {
    if (s.empty()) return 0;
    size_t i = 0;
    bool negative = false;
    if (s[0] == '-' || s[0] == '+') {
        negative = s[0] == '-';
        i = 1;
    }
    std::uint32_t value = 0; // wraps silently, as 32-bit arithmetic does
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        value = value * 10u + static_cast<unsigned>(s[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::string RealToText(double value) {
    if (value == 0) return "0";
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const bool negative = value < 0;
    long double x = std::fabs(static_cast<long double>(value));
    int n = 15;
    while (x < 5e12L) {
        x *= 10;
        --n;
    }
    if (n == 15) {
        while (x >= 1e13L) {
            x /= 10;
            ++n;
        }
    }
    long double digits = std::nearbyint(x);
    while (digits < 1e14L) {
        x *= 10;
        --n;
        digits = std::nearbyint(x);
    }
    // Rounding may carry into a 16th digit (9.999…e14 → 1e15): keep exactly 15.
    if (digits >= 1e15L) {
        digits = std::nearbyint(digits / 10);
        ++n;
    }
    std::string d = std::to_string(static_cast<unsigned long long>(digits));
    std::string out;
    if (n >= 15) {
        out = d + std::string(static_cast<size_t>(n - 15), '0');
    } else {
        if (n > 0) {
            out = d.substr(0, static_cast<size_t>(n)) + "." + d.substr(static_cast<size_t>(n));
        } else {
            out = "0." + std::string(static_cast<size_t>(-n), '0') + d;
        }
        while (out.size() > 1 && out.back() == '0')
            out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return negative ? "-" + out : out;
}

namespace {
double PowerOfTen(std::int32_t k) {
    // Repeated squaring, as the text form is defined; a negative exponent gives the reciprocal.
    std::uint32_t e = k < 0 ? 0u - static_cast<std::uint32_t>(k) : static_cast<std::uint32_t>(k);
    double result = 1.0, base = 10.0;
    while (e) {
        if (e & 1u) result *= base;
        e >>= 1;
        if (e) base *= base;
        if (std::isinf(result)) break;
    }
    return k < 0 ? 1.0 / result : result;
}
} // namespace

double TextToReal(std::string_view s) {
    if (s.empty()) return 0.0;
    size_t i = 0;
    bool negative = false;
    if (s[0] == '-') {
        negative = true;
        i = 1;
    }
    double r = 0, w = 1;
    bool point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.') {
            if (point) break;
            point = true;
        } else if (c >= '0' && c <= '9') {
            const int digit = c - '0';
            if (!point) {
                r = r * 10 + digit;
            } else {
                w *= 0.1;
                r += digit * w;
            }
        } else if (c == 'E' || c == 'e') {
            r *= PowerOfTen(TextToInteger(s.substr(i + 1)));
            break;
        }
    }
    return negative ? -r : r;
}

} // namespace qo
