#pragma once
// The tagged value that travels along every link. It holds one value of one kind and turns any
// value into an integer, a real, a text or a truth value without ever failing; how values move
// between elements is left to link.h.
#include <cstdint>
#include <string>
#include <string_view>

namespace qo {

struct TEventLink;

enum TDataKind : std::uint8_t {
    dkNull = 0,
    dkInteger = 1,
    dkString = 2,
    dkReal = 7,
    dkForward = 0x80, // added to the kind by a handler that asks the dispatcher to hand the value on
};

struct TData {
    std::uint8_t kind = dkNull;
    std::int32_t integer = 0;
    std::string text; // Windows-1251 bytes
    double real = 0.0;
    const TEventLink* forward = nullptr; // read only while dkForward is set
    const TData* next = nullptr;         // next value of a chain; borrowed, never freed through this record
};

void MakeNull(TData& d);
void MakeInteger(TData& d, std::int32_t value);
void MakeString(TData& d, std::string_view text);
void MakeReal(TData& d, double value);

std::int32_t ToInteger(const TData& d);
double ToReal(const TData& d);
std::string ToText(const TData& d);
bool ToBool(const TData& d);

// Copies the first value of `e` into `out` and moves e's chain up by one (null when it was single).
void ConsumeData(TData& e, TData& out);

// Number texts: no locale, "." as decimal separator, never an exponent on output.
std::string IntegerToText(std::int32_t v);
std::int32_t TextToInteger(std::string_view s);
std::string RealToText(double x);
double TextToReal(std::string_view s);

// The one rounding every "rounded" value of the program uses: nearest, ties to even.
std::int64_t RoundHalfEven(double x);

} // namespace qo
