#include <gtest/gtest.h>

#include <vector>

#include "runtime/link.h"

using namespace qo;

namespace {

// A test element that records what reaches it and answers data requests.
struct Probe {
    std::vector<TData> seen;
    std::vector<std::uint16_t> indices;
    TData answer;
    bool consume = false;
    TEventLink forwardTo;
    bool forward = false;

    void Input(TData& d, std::uint16_t index) {
        seen.push_back(d);
        indices.push_back(index);
        if (consume) MakeNull(d);
        if (forward) ForwardData(d, forwardTo, d);
    }
    void Value(TData& out, std::uint16_t) { out = answer; }
};

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override { EnableDispatch(); }
    void TearDown() override { DisableDispatch(); }
};

TEST(DispatchOff, DeliversNothingAndReadsZero) {
    DisableDispatch();
    Probe p;
    MakeInteger(p.answer, 42);
    const TEventLink in = Link<&Probe::Input>(p, 3);
    const TEventLink data = Link<&Probe::Value>(p);
    FireInteger(in, 1);
    FireString(in, "x");
    EXPECT_TRUE(p.seen.empty());
    EXPECT_EQ(ReadInteger(data), 0);
    EXPECT_EQ(ReadString(data), "");
    TData e;
    EXPECT_EQ(TakeInteger(e, data, 7), 0)
        << "a connected point reads null, not its default, while dispatch is off";
    EXPECT_TRUE(LinkConnected(data));
}

TEST_F(Dispatch, FireCarriesValueAndIndex) {
    Probe p;
    const TEventLink in = Link<&Probe::Input>(p, 9);
    FireInteger(in, -5);
    FireReal(in, 2.5);
    FireString(in, "abc");
    FireNull(in);
    ASSERT_EQ(p.seen.size(), 4u);
    EXPECT_EQ(p.seen[0].integer, -5);
    EXPECT_EQ(p.seen[1].real, 2.5);
    EXPECT_EQ(p.seen[2].text, "abc");
    EXPECT_EQ(p.seen[3].kind, dkNull);
    EXPECT_EQ(p.indices[0], 9);
}

TEST_F(Dispatch, UnconnectedLinkDoesNothing) {
    TEventLink none;
    EXPECT_FALSE(LinkConnected(none));
    FireInteger(none, 1);
    TData out;
    MakeInteger(out, 3);
    ReadData(none, out);
    EXPECT_EQ(out.kind, dkNull);
    EXPECT_EQ(ReadString(none), "");
}

TEST_F(Dispatch, TakeReadersPreferLinkThenDefaultThenEvent) {
    Probe src;
    MakeInteger(src.answer, 4);
    const TEventLink connected = Link<&Probe::Value>(src);
    const TEventLink open;

    TData e;
    MakeInteger(e, 8);
    EXPECT_EQ(TakeInteger(e, connected, 3), 4);
    EXPECT_EQ(e.kind, dkInteger) << "a connected point leaves the event alone";
    EXPECT_EQ(TakeInteger(e, open, 3), 3);
    EXPECT_EQ(e.integer, 8) << "a set default leaves the event alone";
    EXPECT_EQ(TakeInteger(e, open, 0), 8);
    EXPECT_EQ(e.kind, dkNull) << "the event value is consumed";
    EXPECT_EQ(TakeInteger(e, open, 0), 0);

    MakeString(e, "x");
    EXPECT_EQ(TakeString(e, open, ""), "x");
    EXPECT_EQ(TakeString(e, open, ""), "");
    EXPECT_EQ(TakeString(e, open, "dflt"), "dflt");

    MakeReal(e, 1.5);
    EXPECT_EQ(TakeReal(e, open, 0.0), 1.5);
    EXPECT_EQ(TakeReal(e, open, 2.0), 2.0);

    TData def, out;
    MakeString(def, "d");
    MakeInteger(e, 1);
    TakeData(e, open, &def, out);
    EXPECT_EQ(out.text, "d");
    TakeData(e, open, nullptr, out);
    EXPECT_EQ(out.integer, 1);
    EXPECT_EQ(e.kind, dkNull);
}

TEST_F(Dispatch, ForwardHappensAfterTheHandlerReturns) {
    Probe last, middle;
    middle.forward = true;
    middle.forwardTo = Link<&Probe::Input>(last, 2);
    FireInteger(Link<&Probe::Input>(middle), 11);
    ASSERT_EQ(last.seen.size(), 1u);
    EXPECT_EQ(last.seen[0].integer, 11);
    EXPECT_EQ(last.seen[0].kind, dkInteger) << "the forward flag is cleared before the next call";
    EXPECT_EQ(last.indices[0], 2);
}

// A chain of elements each forwarding to the next: runs as a loop, so its length does not touch
// the stack (a recursion this deep would overflow it).
struct Relay {
    TEventLink next;
    int* hits;
    void Input(TData& d, std::uint16_t) {
        ++*hits;
        ForwardData(d, next, d);
    }
};

TEST_F(Dispatch, HundredThousandForwardsRunAsALoop) {
    constexpr int kHops = 100000;
    int hits = 0;
    std::vector<Relay> chain(kHops);
    for (int i = 0; i < kHops; ++i) {
        chain[i].hits = &hits;
        if (i + 1 < kHops) chain[i].next = Link<&Relay::Input>(chain[i + 1]);
    }
    FireInteger(Link<&Relay::Input>(chain[0]), 1);
    EXPECT_EQ(hits, kHops);
}

TEST_F(Dispatch, ForwardHelpersSetKindAndValue) {
    TEventLink l;
    TData e;
    ForwardInteger(e, l, 6);
    EXPECT_EQ(e.kind, dkInteger | dkForward);
    EXPECT_EQ(e.forward, &l);
    ForwardNull(e, l);
    EXPECT_EQ(e.kind, dkNull | dkForward);
    TData src;
    MakeString(src, "s");
    ForwardData(e, l, src);
    EXPECT_EQ(e.kind, dkString | dkForward);
    EXPECT_EQ(e.text, "s");
}

} // namespace
