#include <gtest/gtest.h>

#include <limits>

#include "logic/counter.h"
#include "recorder.h"

using namespace qo;
using qotest::Recorder;

namespace {

struct CounterCase {
    const char* name;
    std::int32_t value, minimum, maximum, step;
    std::uint8_t down;
    std::vector<std::int32_t> steps;
};

class Counters : public qotest::DispatchOn, public ::testing::WithParamInterface<CounterCase> {};

TEST_P(Counters, WrapToTheOppositeBound) {
    const CounterCase& c = GetParam();
    TQOCounter counter;
    Recorder out;
    counter.value = c.value;
    counter.minimum = c.minimum;
    counter.maximum = c.maximum;
    counter.step = c.step;
    counter.countingDown = c.down;
    counter.valueOutput = out.To();
    std::vector<std::string> expected;
    for (std::int32_t v : c.steps) {
        FireString(Link<&TQOCounter::Next>(counter), "ignored");
        expected.push_back("0 int " + std::to_string(v));
    }
    EXPECT_EQ(out.got, expected);
    EXPECT_EQ(counter.value, c.steps.back());
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Table, Counters,
    ::testing::Values(CounterCase{"OpenClose", 0, 0, 1, 1, 0, {1, 0, 1, 0}},
                      CounterCase{"UpPastMaximumGoesToMinimum", 1, 1, 3, 2, 0, {3, 1, 3}},
                      CounterCase{"DownPastMinimumGoesToMaximum", 1, 1, 3, 2, 1, {3, 1}},
                      CounterCase{"NoOverflowAtTheTop", kMax - 1, 0, kMax, 5, 0, {0, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
