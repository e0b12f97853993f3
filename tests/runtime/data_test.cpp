#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/cp1251.h"
#include "runtime/data.h"

using namespace qo;

namespace {

TData Int(std::int32_t v) {
    TData d;
    MakeInteger(d, v);
    return d;
}
TData Str(std::string_view s) {
    TData d;
    MakeString(d, s);
    return d;
}
TData Real(double v) {
    TData d;
    MakeReal(d, v);
    return d;
}

struct IntText {
    const char* text;
    std::int32_t value;
};
void PrintTo(const IntText& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}
class TextToIntegerCases : public ::testing::TestWithParam<IntText> {};
TEST_P(TextToIntegerCases, ParsesLeniently) {
    EXPECT_EQ(TextToInteger(GetParam().text), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(Examples, TextToIntegerCases,
                         ::testing::Values(IntText{"12abc", 12}, IntText{" 5", 0}, IntText{"-", 0},
                                           IntText{"+7", 7}, IntText{"007", 7}, IntText{"4294967297", 1},
                                           IntText{"", 0}, IntText{"90", 90}, IntText{"9O", 9},
                                           IntText{"-2147483648", std::numeric_limits<std::int32_t>::min()},
                                           IntText{"2147483648", std::numeric_limits<std::int32_t>::min()},
                                           IntText{"--5", 0}));

struct RealText {
    double value;
    const char* text;
};
void PrintTo(const RealText& c, std::ostream* os) {
    *os << c.text;
}
class RealToTextCases : public ::testing::TestWithParam<RealText> {};
TEST_P(RealToTextCases, FifteenDigitsNoExponent) {
    EXPECT_EQ(RealToText(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Examples, RealToTextCases,
                         ::testing::Values(RealText{0.1, "0.1"}, RealText{1.0 / 3, "0.333333333333333"},
                                           RealText{2.0 / 3, "0.666666666666667"}, RealText{0.1 + 0.2, "0.3"},
                                           RealText{100.0, "100"}, RealText{90.0, "90"},
                                           RealText{-2.5, "-2.5"}, RealText{0.00001, "0.00001"},
                                           RealText{1e20, "100000000000000000000"},
                                           RealText{12345678901234567.0, "12345678901234600"},
                                           RealText{0.0, "0"}, RealText{7.0, "7"}, RealText{0.5, "0.5"},
                                           RealText{999999999999999.9, "1000000000000000"},
                                           RealText{1e-10, "0.0000000001"}, RealText{123.456, "123.456"}));

TEST(RealToText, NonFiniteValuesDoNotHang) {
    EXPECT_FALSE(RealToText(std::numeric_limits<double>::infinity()).empty());
    EXPECT_FALSE(RealToText(std::nan("")).empty());
    EXPECT_EQ(RealToText(std::numeric_limits<double>::denorm_min()).substr(0, 2), "0.");
    EXPECT_EQ(RealToText(std::numeric_limits<double>::max()).size(), 309u);
}

struct TextReal {
    const char* text;
    double value;
};
void PrintTo(const TextReal& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}
class TextToRealCases : public ::testing::TestWithParam<TextReal> {};
TEST_P(TextToRealCases, ParsesLeniently) {
    EXPECT_DOUBLE_EQ(TextToReal(GetParam().text), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(Examples, TextToRealCases,
                         ::testing::Values(TextReal{"3.14", 3.14}, TextReal{"-2.5", -2.5},
                                           TextReal{"1e3", 1000}, TextReal{"2.5E+2", 250},
                                           TextReal{"1e-2", 0.01}, TextReal{"-.5", -0.5},
                                           TextReal{"1.2.3", 1.2}, TextReal{"1,5", 15},
                                           TextReal{"1 000", 1000}, TextReal{"5-3", 53}, TextReal{" 7 ", 7},
                                           TextReal{"abc", 0}, TextReal{"", 0}, TextReal{"+4", 4}));

TEST(TextToReal, HugeExponentsStayFinite) {
    EXPECT_TRUE(std::isinf(TextToReal("1e999")));
    EXPECT_EQ(TextToReal("1e-999"), 0.0);
    EXPECT_EQ(TextToReal("1e-2147483648"), 0.0);
}

TEST(IntegerToText, SignAndExtremes) {
    EXPECT_EQ(IntegerToText(0), "0");
    EXPECT_EQ(IntegerToText(-7), "-7");
    EXPECT_EQ(IntegerToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(IntegerToText(2147483647), "2147483647");
}

struct Rounding {
    double in;
    std::int64_t out;
};
void PrintTo(const Rounding& c, std::ostream* os) {
    *os << c.in;
}
class RoundHalfEvenCases : public ::testing::TestWithParam<Rounding> {};
TEST_P(RoundHalfEvenCases, TiesGoToEven) {
    EXPECT_EQ(RoundHalfEven(GetParam().in), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Examples, RoundHalfEvenCases,
                         ::testing::Values(Rounding{2.5, 2}, Rounding{3.5, 4}, Rounding{-0.5, 0},
                                           Rounding{-1.5, -2}, Rounding{0.49999, 0}, Rounding{89.5, 90},
                                           Rounding{88.5, 88}, Rounding{1e300, INT64_MAX}));

TEST(Conversions, NullValue) {
    TData d;
    EXPECT_EQ(ToInteger(d), 0);
    EXPECT_EQ(ToText(d), "");
    EXPECT_EQ(ToReal(d), 0.0);
    EXPECT_TRUE(ToBool(d));
}

TEST(Conversions, AcrossKinds) {
    EXPECT_EQ(ToInteger(Str("90")), 90);
    EXPECT_EQ(ToInteger(Str("9O")), 9);
    EXPECT_EQ(ToInteger(Real(2.5)), 2);
    EXPECT_EQ(ToInteger(Real(3.5)), 4);
    EXPECT_EQ(ToInteger(Real(-1.5)), -2);
    EXPECT_EQ(ToInteger(Real(4294967297.0)), 1);
    EXPECT_EQ(ToText(Int(-7)), "-7");
    EXPECT_EQ(ToText(Real(7.0)), "7");
    EXPECT_EQ(ToText(Real(0.5)), "0.5");
    EXPECT_EQ(ToReal(Str("1,5")), 15.0);
    EXPECT_EQ(ToReal(Int(-3)), -3.0);
}

TEST(Conversions, OnlyIntegerZeroIsFalse) {
    EXPECT_FALSE(ToBool(Int(0)));
    EXPECT_TRUE(ToBool(Int(1)));
    EXPECT_TRUE(ToBool(Str("0")));
    EXPECT_TRUE(ToBool(Str("")));
    EXPECT_TRUE(ToBool(Real(0.0)));
}

TEST(Conversions, UnknownKindGivesNothing) {
    TData d = Int(5);
    d.kind = 3;
    EXPECT_EQ(ToInteger(d), 0);
    EXPECT_EQ(ToText(d), "");
    EXPECT_EQ(ToReal(d), 0.0);
}

TEST(ConsumeData, SingleValueLeavesNull) {
    TData e = Int(5), out;
    ConsumeData(e, out);
    EXPECT_EQ(out.kind, dkInteger);
    EXPECT_EQ(out.integer, 5);
    EXPECT_EQ(e.kind, dkNull);
    ConsumeData(e, out);
    EXPECT_EQ(out.kind, dkNull);
}

TEST(ConsumeData, ChainMovesUp) {
    TData second = Str("b");
    TData e = Str("a");
    e.next = &second;
    TData out;
    ConsumeData(e, out);
    EXPECT_EQ(out.text, "a");
    EXPECT_EQ(e.text, "b");
    EXPECT_EQ(e.next, nullptr);
}

TEST(Cp1251, RoundTripsCyrillicAndMarksTheRest) {
    const std::string ansi = Utf8ToCp1251("Игра ёЁ №");
    EXPECT_EQ(ansi, std::string("\xC8\xE3\xF0\xE0 \xB8\xA8 \xB9"));
    EXPECT_EQ(Cp1251ToUtf8(ansi), "Игра ёЁ №");
    EXPECT_EQ(Utf8ToCp1251("日"), "?");
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?"); // truncated sequence
    EXPECT_EQ(Utf8ToCp1251("a\xFF"
                           "b"),
              "a?b");
}

} // namespace
