#include <gtest/gtest.h>

#include <optional>

#include "logic/math_element.h"
#include "recorder.h"

using namespace qo;
using qotest::Recorder;

namespace {

struct MathCase {
    const char* name;
    std::optional<double> firstSource; // a connected first operand
    double first, second;
    std::optional<std::int32_t> event;
    std::uint8_t realResult;
    std::string fired; // as the recorder writes it
};

class Math : public qotest::DispatchOn, public ::testing::WithParamInterface<MathCase> {};

TEST_P(Math, FiresAndKeepsTheDifference) {
    const MathCase& c = GetParam();
    TQOMath math;
    Recorder out, source;
    math.first = c.first;
    math.second = c.second;
    math.realResult = c.realResult;
    math.resultOutput = out.To();
    if (c.firstSource) {
        MakeReal(source.value, *c.firstSource);
        math.firstInput = source.From();
    }
    const TEventLink calculate = Link<&TQOMath::Calculate>(math);
    c.event ? FireInteger(calculate, *c.event) : FireNull(calculate);

    ASSERT_EQ(out.got.size(), 1u);
    EXPECT_EQ(out.got[0], c.fired);
    Recorder reader;
    TData r;
    CallLink(Link<&TQOMath::Result>(math), r);
    reader.Input(r, 0);
    EXPECT_EQ(reader.got[0], c.fired);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Math,
    ::testing::Values(MathCase{"ConnectedFirstMinusProperty", 4.0, 0, 1, std::nullopt, 0, "0 int 3"},
                      MathCase{"OpenFirstTakesTheEvent", std::nullopt, 0, 1, 10, 0, "0 int 9"},
                      MathCase{"ConnectedPointWinsOverEvent", 4.0, 0, 1, 10, 0, "0 int 3"},
                      MathCase{"HalfRoundsDownToEven", std::nullopt, 2.5, 0, std::nullopt, 0, "0 int 2"},
                      MathCase{"HalfRoundsUpToEven", std::nullopt, 3.5, 0, std::nullopt, 0, "0 int 4"},
                      MathCase{"RealResult", std::nullopt, 7, 0.25, std::nullopt, 1, "0 real 6.75"},
                      MathCase{"BeyondThirtyTwoBitsSaturates", std::nullopt, 1e12, 0, std::nullopt, 0,
                               "0 int 2147483647"}),
    [](const auto& info) { return std::string(info.param.name); });

using MathDefault = qotest::DispatchOn;

TEST_F(MathDefault, ResultBeforeAnyCalculationIsTheDefault) {
    TQOMath math;
    math.SetDefault(4.5);
    TData r;
    CallLink(Link<&TQOMath::Result>(math), r);
    EXPECT_EQ(r.kind, dkInteger);
    EXPECT_EQ(r.integer, 4);
    math.realResult = 1;
    CallLink(Link<&TQOMath::Result>(math), r);
    EXPECT_EQ(r.kind, dkReal);
    EXPECT_EQ(r.real, 4.5);
}

} // namespace
