#include <gtest/gtest.h>

#include <vector>

#include "runtime/do_data.h"
#include "runtime/hub.h"
#include "runtime/index_to_chanel.h"
#include "runtime/memory.h"

using namespace qo;

namespace {

struct Sink {
    std::vector<TData> seen;
    bool consume = false;
    std::vector<int>* order = nullptr;
    int id = 0;
    TEventLink onward; // fired from inside, to check that output i finishes before i + 1
    void Input(TData& d, std::uint16_t) {
        seen.push_back(d);
        if (order) order->push_back(id);
        if (LinkConnected(onward)) FireNull(onward);
        if (consume) MakeNull(d);
    }
};

class Routing : public ::testing::Test {
protected:
    void SetUp() override { EnableDispatch(); }
    void TearDown() override { DisableDispatch(); }
};

TEST_F(Routing, HubGivesEveryOutputAFreshCopyInOrder) {
    TQOHub hub;
    hub.SetOutputCount(3);
    std::vector<int> order;
    Sink a, b, c, nested;
    a.consume = true;
    a.order = &order, a.id = 0;
    b.order = &order, b.id = 1;
    c.order = &order, c.id = 2;
    nested.order = &order, nested.id = 10;
    a.onward = Link<&Sink::Input>(nested);
    hub.outputs[0] = Link<&Sink::Input>(a);
    hub.outputs[1] = Link<&Sink::Input>(b);
    hub.outputs[2] = Link<&Sink::Input>(c);
    TData in;
    MakeInteger(in, 7);
    CallLink(Link<&TQOHub::Input>(hub, 1), in);
    ASSERT_EQ(b.seen.size(), 1u);
    EXPECT_EQ(b.seen[0].integer, 7) << "the second output gets the value although the first consumed it";
    EXPECT_EQ(c.seen[0].integer, 7);
    EXPECT_EQ(order, (std::vector<int>{0, 10, 1, 2}));
    EXPECT_EQ(in.integer, 7);
    EXPECT_EQ(in.kind, dkInteger);
}

TEST_F(Routing, HubWithoutOutputsDoesNothing) {
    TQOHub hub;
    hub.SetOutputCount(0);
    FireInteger(Link<&TQOHub::Input>(hub), 1);
    EXPECT_EQ(hub.OutputCount(), 0);
}

TEST_F(Routing, DoDataSendsItsOwnValueNotTheTrigger) {
    Sink out;
    TQODoData dd;
    dd.output = Link<&Sink::Input>(out);
    FireString(Link<&TQODoData::Input>(dd), "abc");
    ASSERT_EQ(out.seen.size(), 1u);
    EXPECT_EQ(out.seen[0].kind, dkNull) << "null Data and an open data point give null";

    MakeInteger(dd.Data, 0);
    FireString(Link<&TQODoData::Input>(dd), "abc");
    EXPECT_EQ(out.seen[1].kind, dkInteger);
    EXPECT_EQ(out.seen[1].integer, 0);

    TQOMemory source;
    MakeInteger(source.stored, 99);
    dd.data = Link<&TQOMemory::Value>(source);
    FireNull(Link<&TQODoData::Input>(dd));
    EXPECT_EQ(out.seen[2].integer, 99) << "a connected data point wins over Data";
}

TEST_F(Routing, MemoryKeepsAndPassesOnEachWrite) {
    TQOMemory mem;
    Sink out;
    mem.output = Link<&Sink::Input>(out);
    TData before;
    ReadData(Link<&TQOMemory::Value>(mem), before);
    EXPECT_EQ(before.kind, dkNull);
    FireInteger(Link<&TQOMemory::Write>(mem), 5);
    ASSERT_EQ(out.seen.size(), 1u);
    EXPECT_EQ(out.seen[0].integer, 5);
    EXPECT_EQ(ReadInteger(Link<&TQOMemory::Value>(mem)), 5);
}

struct Channel {
    std::int32_t count;
    std::int32_t value;
    int expectedOutput;
};
void PrintTo(const Channel& c, std::ostream* os) {
    *os << "index " << c.value;
}
class IndexToChanelCases : public ::testing::TestWithParam<Channel> {};
TEST_P(IndexToChanelCases, RoutesByIndexWithinBounds) {
    EnableDispatch();
    const Channel c = GetParam();
    TQOIndexToChanel router;
    router.SetCount(c.count);
    std::vector<Sink> sinks(static_cast<size_t>(c.count > 0 ? c.count : 0));
    for (size_t i = 0; i < sinks.size(); ++i)
        router.outputs[i] = Link<&Sink::Input>(sinks[i]);
    FireInteger(Link<&TQOIndexToChanel::Input>(router), c.value);
    for (size_t i = 0; i < sinks.size(); ++i) {
        if (static_cast<int>(i) == c.expectedOutput) {
            ASSERT_EQ(sinks[i].seen.size(), 1u);
            EXPECT_EQ(sinks[i].seen[0].kind, dkNull) << "the event's one value went to the index";
        } else {
            EXPECT_TRUE(sinks[i].seen.empty()) << "output " << i;
        }
    }
    DisableDispatch();
}
INSTANTIATE_TEST_SUITE_P(Bounds, IndexToChanelCases,
                         ::testing::Values(Channel{9, 7, 7}, Channel{9, 0, 0}, Channel{9, 8, 8},
                                           Channel{9, 9, -1}, Channel{9, -1, -1}));

TEST_F(Routing, IndexToChanelCountBelowOneKeepsOutputs) {
    TQOIndexToChanel router;
    router.SetCount(3);
    router.SetCount(-2);
    EXPECT_EQ(router.Count(), 0);
    EXPECT_EQ(router.outputs.size(), 3u);
    Sink s;
    router.outputs[0] = Link<&Sink::Input>(s);
    FireInteger(Link<&TQOIndexToChanel::Input>(router), 0);
    EXPECT_TRUE(s.seen.empty());
}

TEST_F(Routing, IndexToChanelTakesDataFromItsPointOrProperty) {
    TQOIndexToChanel router;
    router.SetCount(2);
    Sink s;
    router.outputs[1] = Link<&Sink::Input>(s);
    MakeString(router.Data, "prop");
    FireInteger(Link<&TQOIndexToChanel::Input>(router), 1);
    EXPECT_EQ(s.seen.at(0).text, "prop");
    TQOMemory idx;
    MakeInteger(idx.stored, 1);
    router.index = Link<&TQOMemory::Value>(idx);
    router.Data = TData{};
    FireString(Link<&TQOIndexToChanel::Input>(router), "payload");
    EXPECT_EQ(s.seen.at(1).text, "payload") << "with the index from its point, the event is the data";
}

} // namespace
