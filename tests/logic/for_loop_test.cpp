#include <gtest/gtest.h>

#include <limits>

#include "logic/for_loop.h"
#include "recorder.h"

using namespace qo;
using qotest::Recorder;

namespace {

struct LoopCase {
    const char* name;
    std::int32_t start, end, step;
    std::uint8_t included;
    std::vector<std::string> expected; // cycles (label 0) then the end output (label 1)
};

class Loops : public qotest::DispatchOn, public ::testing::WithParamInterface<LoopCase> {};

TEST_P(Loops, VisitEachIndexThenTellTheOneThatEnded) {
    const LoopCase& c = GetParam();
    TQOFor loop;
    Recorder out;
    loop.startValue = c.start;
    loop.endValue = c.end;
    loop.step = c.step;
    loop.endIncluded = c.included;
    loop.cycleOutput = out.To(0);
    loop.endOutput = out.To(1);
    FireNull(Link<&TQOFor::Start>(loop));
    EXPECT_EQ(out.got, c.expected);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Ranges, Loops,
    ::testing::Values(
        LoopCase{
            "EndIncluded", 1, 5, 1, 1, {"0 int 1", "0 int 2", "0 int 3", "0 int 4", "0 int 5", "1 int 6"}},
        LoopCase{"EndExcluded", 1, 5, 1, 0, {"0 int 1", "0 int 2", "0 int 3", "0 int 4", "1 int 5"}},
        LoopCase{"EmptyRange", 1, 0, 1, 1, {"1 int 1"}},
        LoopCase{"DownByTwo", 5, 1, -2, 1, {"0 int 5", "0 int 3", "0 int 1", "1 int -1"}},
        LoopCase{"DownExcluded", 5, 1, -2, 0, {"0 int 5", "0 int 3", "1 int 1"}},
        LoopCase{"StepZeroRunsNothing", 1, 5, 0, 1, {"1 int 1"}},
        LoopCase{"UpToTheLargestValueEnds",
                 kMax - 1,
                 kMax,
                 1,
                 1,
                 {"0 int 2147483646", "0 int 2147483647", "1 int -2147483648"}}),
    [](const auto& info) { return std::string(info.param.name); });

using Loop = qotest::DispatchOn;

TEST_F(Loop, EndComesFromItsDataInputAndTheClickIsDiscarded) {
    TQOFor loop; // as the game window's series: start 1, end from the count box
    Recorder out, count;
    loop.startValue = 1;
    MakeString(count.value, "3");
    loop.endInput = count.From();
    loop.cycleOutput = out.To();
    FireInteger(Link<&TQOFor::Start>(loop), 99);
    EXPECT_EQ(out.got, (std::vector<std::string>{"0 int 1", "0 int 2", "0 int 3"}));
    EXPECT_EQ(loop.index, 4);
}

TEST_F(Loop, KeptIncomingDataStandsInForAnOpenStart) {
    TQOFor loop;
    Recorder out;
    loop.keepIncomingData = 1;
    loop.endValue = 4;
    loop.cycleOutput = out.To();
    FireInteger(Link<&TQOFor::Start>(loop), 3);
    EXPECT_EQ(out.got, (std::vector<std::string>{"0 int 3", "0 int 4"}));
}

} // namespace
