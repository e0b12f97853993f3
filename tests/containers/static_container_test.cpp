#include <gtest/gtest.h>

#include "containers/multi_element.h"
#include "runtime/init_man.h"
#include "test_elements.h"

using namespace qo;
using qotest::Log;
using qotest::Probe;
using qotest::Tracker;

namespace {

// A nested scheme: window, edge with two inputs and one data output, a probe behind input 0,
// a probe answering data output 0, and a start-up procedure that notes when it ran.
struct Inner : TScheme {
    explicit Inner(Control* parent) {
        addWindow<Tracker>("inner window");
        edge = &addEdge<TQOEditMulti>();
        probe = &add<Probe>();
        source = &add<Probe>();
        edge->SetEventCount(2);
        edge->SetDataInputCount(2);
        connect<&Probe::Input>(edge->innerEvents[0], *probe);
        connect<&Probe::Value>(edge->innerDataInputs[0], *source);
        MakeString(source->value, "inner value");
        Log().push_back(parent ? "built with parent" : "built");
    }
    TQOEditMulti* edge;
    Probe* probe;
    Probe* source;
};

// The same, with an element that asks for a call once the scheme stands.
struct WithStartup : Inner {
    explicit WithStartup(Control* parent) : Inner(parent) { RegisterStartup<&WithStartup::Startup>(*this); }
    void Startup() { Log().push_back("startup"); }
};

Inner* SchemeOf(TQOMultiElement& c) {
    return static_cast<Inner*>(c.Edge()->schemeObject);
}

using StaticContainer = qotest::DispatchOn;

TEST_F(StaticContainer, BuiltAtOnceWithoutRunningStartups) {
    TQOMultiElement c;
    c.SetCreateOnFirstUse(false);
    c.SetFactory(&MakeScheme<WithStartup>);
    ASSERT_NE(c.Edge(), nullptr);
    EXPECT_EQ(c.Edge()->owner, &c);
    EXPECT_EQ(Log(), (std::vector<std::string>{"built"}));
    ASSERT_NE(PendingStartups(), nullptr); // left for the program start
    RunStartups();
    EXPECT_EQ(Log(), (std::vector<std::string>{"built", "startup"}));
}

TEST_F(StaticContainer, OnFirstUseBuildsRunsStartupsThenDeliversOnce) {
    TQOMultiElement c;
    c.SetCreateOnFirstUse(true);
    c.SetFactory(&MakeScheme<WithStartup>);
    EXPECT_EQ(c.Edge(), nullptr);

    FireString(Link<&TQOMultiElement::Input>(c, 0), "a");
    ASSERT_NE(c.Edge(), nullptr);
    EXPECT_EQ(Log(), (std::vector<std::string>{"built", "startup"}));
    EXPECT_EQ(SchemeOf(c)->probe->got, std::vector<std::string>{"a"});

    TQOEditMulti* first = c.Edge();
    FireString(Link<&TQOMultiElement::Input>(c, 0), "b");
    EXPECT_EQ(c.Edge(), first);
    EXPECT_EQ(Log().size(), 2u);
    EXPECT_EQ(SchemeOf(c)->probe->got, (std::vector<std::string>{"a", "b"}));
}

TEST_F(StaticContainer, OnFirstUseByDataRead) {
    TQOMultiElement c;
    c.SetCreateOnFirstUse(true);
    c.SetFactory(&MakeScheme<WithStartup>);
    EXPECT_EQ(ReadString(Link<&TQOMultiElement::DataOutput>(c, 0)), "inner value");
    EXPECT_EQ(Log(), (std::vector<std::string>{"built", "startup"}));
}

TEST_F(StaticContainer, UnconnectedInnerPointsDoNothingAndReadNull) {
    TQOMultiElement c;
    c.SetFactory(&MakeScheme<Inner>);
    FireString(Link<&TQOMultiElement::Input>(c, 1), "lost");
    EXPECT_TRUE(SchemeOf(c)->probe->got.empty());
    TData d;
    MakeInteger(d, 5);
    CallLink(Link<&TQOMultiElement::DataOutput>(c, 1), d);
    EXPECT_EQ(d.kind, dkNull);
}

TEST_F(StaticContainer, EdgePassesOutByIndex) {
    TQOMultiElement c;
    c.SetFactory(&MakeScheme<Inner>);
    c.SetEventCount(2);
    c.SetDataInputCount(1);
    Probe outside;
    MakeInteger(outside.value, 42);
    c.events[1] = Link<&Probe::Input>(outside, 7);
    c.dataInputs[0] = Link<&Probe::Value>(outside);

    TQOEditMulti& edge = *c.Edge();
    FireString(Link<&TQOEditMulti::Input>(edge, 0), "to nowhere"); // outer event 0 unconnected
    FireString(Link<&TQOEditMulti::Input>(edge, 1), "out");
    EXPECT_EQ(outside.got, std::vector<std::string>{"out"});
    EXPECT_EQ(outside.lastIndex, 7);
    EXPECT_EQ(ReadInteger(Link<&TQOEditMulti::DataOutput>(edge, 0)), 42);
}

TEST_F(StaticContainer, DestroyingTheContainerDestroysItsInstance) {
    {
        TQOMultiElement c;
        c.SetFactory(&MakeScheme<Inner>);
        Log().clear();
    }
    EXPECT_EQ(Log(), std::vector<std::string>{"~inner window"});
}

} // namespace
