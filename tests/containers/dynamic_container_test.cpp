#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "containers/multi_element_ex.h"
#include "runtime/do_data.h"
#include "runtime/event_scope.h"
#include "runtime/hub.h"
#include "runtime/init_man.h"
#include "runtime/memory.h"
#include "runtime/text_resource.h"
#include "test_elements.h"

using namespace qo;
using qotest::Button;
using qotest::Log;
using qotest::Probe;
using qotest::Tracker;

namespace {

int g_serial = 0;
TQOMultiElementEx* g_list = nullptr; // the container under test, for the witness's read of "##count"

// Notes what the "##add" call sees: the container's current handle and count at that moment.
struct AddWitness {
    std::string name;
    TEventLink handle;
    void Input(TData&, std::uint16_t) {
        Log().push_back("add " + name + " handle=" + std::to_string(ReadInteger(handle)) +
                        " count=" + std::to_string(g_list->InstanceCount()));
    }
};

// An instance wired like a lotto ticket: "##add" learns the handle through "index1" and keeps it;
// its button sends the kept handle out as the delete request.
struct Ticket : TScheme {
    explicit Ticket(Control*) {
        name = "t" + std::to_string(++g_serial);
        addWindow<Tracker>(name);
        edge = &addEdge<TQOEditMultiEx>();
        button = &add<Button>();
        auto& onAdd = add<TQOHub>();
        auto& learn = add<TQODoData>();
        store = &add<TQOMemory>();
        request = &add<TQODoData>();
        witness = &add<AddWitness>();
        told = &add<Probe>();
        checked = &add<Probe>();

        witness->name = name;
        onAdd.SetOutputCount(2);
        edge->SetInwardCommands(LoadTextResource("Str3"));
        edge->SetOutwardEvents(LoadTextResource("Str4"));
        edge->SetInwardData(LoadTextResource("Str5"));
        edge->SetOutwardData(LoadTextResource("Str6"));

        connect<&TQOHub::Input>(edge->innerEvents[0], onAdd);
        connect<&TQODoData::Input>(onAdd.outputs[0], learn);
        connect<&AddWitness::Input>(onAdd.outputs[1], *witness);
        connect<&TQOEditMultiEx::DataOutput>(learn.data, *edge, 0);
        connect<&TQOMemory::Write>(learn.output, *store);
        connect<&TQOEditMultiEx::DataOutput>(witness->handle, *edge, 0);
        connect<&Probe::Input>(edge->innerEvents[2], *told);
        connect<&Probe::Input>(edge->innerEvents[4], *checked);
        connect<&TQODoData::Input>(button->onClick, *request);
        connect<&TQOMemory::Value>(request->data, *store);
        connect<&TQOEditMultiEx::Input>(request->output, *edge, 0);

        RegisterStartup<&Ticket::Startup>(*this);
    }
    void Startup() { Log().push_back("grid " + name); }
    std::int32_t KeptHandle() const { return ToInteger(store->stored); }

    std::string name;
    TQOEditMultiEx* edge;
    Button* button;
    TQOMemory* store;
    TQODoData* request;
    AddWitness* witness;
    Probe* told;
    Probe* checked;
};

// The ticket list's wiring of its container: a delete request becomes "##hdelete", and "index1"
// reads "##handle".
class DynamicContainer : public qotest::DispatchOn {
protected:
    void SetUp() override {
        DispatchOn::SetUp();
        g_serial = 0;
        list = std::make_unique<TQOMultiElementEx>();
        Wire(*list, TQOMultiElementEx::modeList);
    }
    void TearDown() override {
        list.reset();
        g_list = nullptr;
        DispatchOn::TearDown();
    }

    static void Wire(TQOMultiElementEx& c, std::uint8_t mode) {
        g_list = &c;
        c.SetMode(mode);
        c.SetFactory(&MakeSchemeEx<Ticket>);
        c.SetEventCount(1);
        c.SetDataInputCount(1);
        c.events[0] = Link<&TQOMultiElementEx::DeleteByHandle>(c, 2);
        c.dataInputs[0] = Link<&TQOMultiElementEx::Handle>(c, 0);
    }

    void Add() { FireNull(Link<&TQOMultiElementEx::Add>(*list, 0)); }
    void Select(std::int32_t i) { FireInteger(Link<&TQOMultiElementEx::Select>(*list, 1), i); }
    void Delete(TData& d) { CallLink(Link<&TQOMultiElementEx::DeleteByHandle>(*list, 2), d); }
    void Delete(std::int32_t h) { FireInteger(Link<&TQOMultiElementEx::DeleteByHandle>(*list, 2), h); }
    void Clear() { FireNull(Link<&TQOMultiElementEx::Clear>(*list, 3)); }
    void Check(std::int32_t n) { FireInteger(Link<&TQOMultiElementEx::Deliver>(*list, 4), n); }
    std::int32_t HandleNow() { return ReadInteger(Link<&TQOMultiElementEx::Handle>(*list, 0)); }
    std::int32_t CountNow() { return ReadInteger(Link<&TQOMultiElementEx::Count>(*list, 1)); }
    Ticket& At(std::size_t i) { return *static_cast<Ticket*>(list->InstanceAt(i)->schemeObject); }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < list->InstanceCount(); ++i)
            names.push_back(At(i).name);
        return names;
    }
    bool Logged(const std::string& line) { return std::count(Log().begin(), Log().end(), line) == 1; }

    std::unique_ptr<TQOMultiElementEx> list;
};

TEST_F(DynamicContainer, ThreeAddsListInCreationOrderEachKnowingItsHandle) {
    Add();
    Add();
    Add();
    EXPECT_EQ(CountNow(), 3);
    EXPECT_EQ(Names(), (std::vector<std::string>{"t1", "t2", "t3"}));
    EXPECT_EQ(HandleNow(), list->InstanceAt(2)->Handle());
    std::set<std::int32_t> handles;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NE(At(i).KeptHandle(), 0);
        EXPECT_EQ(At(i).KeptHandle(), list->InstanceAt(i)->Handle());
        handles.insert(At(i).KeptHandle());
    }
    EXPECT_EQ(handles.size(), 3u);
}

TEST_F(DynamicContainer, AddRunsTheStartupsThenReachesTheNewInstanceCurrentAndListed) {
    Add();
    Add();
    const auto h2 = std::to_string(list->InstanceAt(1)->Handle());
    EXPECT_EQ(Log()[2], "grid t2");
    EXPECT_EQ(Log()[3], "add t2 handle=" + h2 + " count=2");
}

TEST_F(DynamicContainer, SelectMakesCurrentAndDeliverReachesOnlyIt) {
    Add();
    Add();
    Add();
    Select(1);
    EXPECT_EQ(HandleNow(), list->InstanceAt(1)->Handle());
    Check(7);
    EXPECT_TRUE(At(0).checked->got.empty());
    EXPECT_EQ(At(1).checked->got, std::vector<std::string>{"7"});
    EXPECT_TRUE(At(2).checked->got.empty());
}

class SelectOutOfRange : public DynamicContainer, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(SelectOutOfRange, LeavesNoCurrentSoDeliverIsDropped) {
    Add();
    Add();
    Add();
    Select(GetParam());
    EXPECT_EQ(HandleNow(), 0);
    Check(7);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(At(i).checked->got.empty());
}

INSTANTIATE_TEST_SUITE_P(Positions, SelectOutOfRange, ::testing::Values(-1, 3, 1000));

TEST_F(DynamicContainer, DeletingTheCurrentOneLeavesNoCurrent) {
    Add();
    Add();
    Delete(list->InstanceAt(1)->Handle());
    EXPECT_EQ(Names(), std::vector<std::string>{"t1"});
    EXPECT_EQ(HandleNow(), 0);
    EXPECT_TRUE(Logged("~t2"));
}

TEST_F(DynamicContainer, DeletingAnotherKeepsCurrentAndMovesLaterOnesUp) {
    Add();
    Add();
    Add();
    const std::int32_t current = HandleNow();
    Delete(list->InstanceAt(0)->Handle());
    EXPECT_EQ(Names(), (std::vector<std::string>{"t2", "t3"}));
    EXPECT_EQ(HandleNow(), current);
    Select(1);
    EXPECT_EQ(HandleNow(), current);
}

class DeleteUnknown : public DynamicContainer, public ::testing::WithParamInterface<std::string> {};

TEST_P(DeleteUnknown, ChangesNothing) {
    Add();
    Add();
    const std::int32_t gone = list->InstanceAt(0)->Handle();
    Delete(gone);
    Add();
    const auto before = Names();
    const std::int32_t current = HandleNow();
    Log().clear();

    TData d;
    if (GetParam() == "deleted") {
        MakeInteger(d, gone);
    } else if (GetParam() == "never given") {
        MakeInteger(d, list->InstanceAt(1)->Handle() + 1000);
    } else {
        MakeString(d, GetParam());
    }
    Delete(d);
    EXPECT_EQ(Names(), before);
    EXPECT_EQ(HandleNow(), current);
    EXPECT_TRUE(Log().empty());
}

INSTANTIATE_TEST_SUITE_P(Handles, DeleteUnknown, ::testing::Values("0", "deleted", "never given", "abc"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(DynamicContainer, TheDeletedInstanceHearsOfItFirst) {
    Add();
    Add();
    Ticket& t1 = At(0);
    const std::int32_t h = list->InstanceAt(0)->Handle();
    {
        EventScope scope; // keeps t1 alive past the call so its probe can be read
        Delete(h);
        EXPECT_EQ(t1.told->got, std::vector<std::string>{std::to_string(h)});
        EXPECT_FALSE(Logged("~t1"));
    }
    EXPECT_TRUE(Logged("~t1"));
}

TEST_F(DynamicContainer, ClearDestroysAllInListOrderAndTellsNobody) {
    Clear(); // empty: nothing happens
    EXPECT_EQ(CountNow(), 0);
    Add();
    Add();
    Add();
    Select(0);
    Log().clear();
    Clear();
    EXPECT_EQ(Log(), (std::vector<std::string>{"~t1", "~t2", "~t3"}));
    EXPECT_EQ(CountNow(), 0);
    EXPECT_EQ(HandleNow(), 0);
    Check(5); // reaches nobody, and nothing crashes
}

TEST_F(DynamicContainer, DestroyingTheContainerDestroysTheInstances) {
    Add();
    Add();
    Log().clear();
    list.reset();
    EXPECT_EQ(Log(), (std::vector<std::string>{"~t1", "~t2"}));
}

// Self-deletion: the request starts in the instance's own button and ends in "##hdelete".

TEST_F(DynamicContainer, DeleteTicketFromItsOwnButton) {
    Add();
    Add();
    Add();
    Ticket& t2 = At(1);
    {
        EventScope scope;   // the widget layer opens one around every delivered event
        t2.button->Click(); // writes to the button after the chain returns
        EXPECT_EQ(Names(), (std::vector<std::string>{"t1", "t3"}));
        EXPECT_FALSE(Logged("~t2"));
        EXPECT_EQ(t2.button->clicks, 1);
    }
    EXPECT_TRUE(Logged("~t2"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"t1", "t3"}));
}

TEST_F(DynamicContainer, DeleteAnotherTicketFromInsideAChain) {
    Add();
    Add();
    Add();
    Ticket& t1 = At(0);
    Ticket& t3 = At(2);
    // t1's button asks to delete t3.
    t1.request->data = Link<&TQOMemory::Value>(*t3.store);
    {
        EventScope scope;
        t1.button->Click();
        EXPECT_EQ(Names(), (std::vector<std::string>{"t1", "t2"}));
        EXPECT_EQ(HandleNow(), 0); // t3 was current
    }
    EXPECT_TRUE(Logged("~t3"));
    EXPECT_FALSE(Logged("~t1"));
    EXPECT_EQ(t1.button->clicks, 1);
}

TEST_F(DynamicContainer, ClearFromInsideAnInstanceWaitsForTheChainToEnd) {
    Add();
    Add();
    list->events[0] = Link<&TQOMultiElementEx::Clear>(*list, 3);
    Ticket& t1 = At(0);
    {
        EventScope scope;
        t1.button->Click();
        EXPECT_EQ(CountNow(), 0);
        EXPECT_FALSE(Logged("~t1"));
    }
    EXPECT_TRUE(Logged("~t1"));
    EXPECT_TRUE(Logged("~t2"));
}

TEST_F(DynamicContainer, DeletionOutsideAnyEventIsImmediate) {
    Add();
    Add();
    ASSERT_EQ(EventScope::Depth(), 0);
    Delete(list->InstanceAt(0)->Handle());
    EXPECT_TRUE(Logged("~t1"));
}

TEST_F(DynamicContainer, ContainerDestroyedWhileADeletionWaitsTakesItAlong) {
    Add();
    Add();
    {
        EventScope scope;
        At(0).button->Click();
        list.reset();
        EXPECT_TRUE(Logged("~t1"));
        EXPECT_TRUE(Logged("~t2"));
    }
    EXPECT_TRUE(Logged("~t1")); // once, not again when the scope closes
}

// Modes 0 and 2.

TEST_F(DynamicContainer, SingleModeHasOneInstanceFromTheStartAlwaysCurrent) {
    TQOMultiElementEx single;
    Wire(single, TQOMultiElementEx::modeSingle);
    ASSERT_NE(single.Current(), nullptr);
    EXPECT_EQ(Log(), std::vector<std::string>{}); // built, start-ups left for the program start
    RunStartups();
    FireNull(Link<&TQOMultiElementEx::Add>(single, 0));
    FireInteger(Link<&TQOMultiElementEx::Select>(single, 1), 5);
    FireInteger(Link<&TQOMultiElementEx::Deliver>(single, 4), 9);
    auto& t = *static_cast<Ticket*>(single.Current()->schemeObject);
    EXPECT_EQ(t.checked->got, std::vector<std::string>{"9"});
    EXPECT_EQ(ReadInteger(Link<&TQOMultiElementEx::Count>(single, 1)), 0);
    EXPECT_EQ(ReadInteger(Link<&TQOMultiElementEx::Handle>(single, 0)), single.Current()->Handle());
}

TEST_F(DynamicContainer, TemporaryModeBuildsAnInstancePerCallAndDropsIt) {
    TQOMultiElementEx temp;
    Wire(temp, TQOMultiElementEx::modeTemporary);
    FireNull(Link<&TQOMultiElementEx::Add>(temp, 0));
    EXPECT_TRUE(Log().empty());
    FireInteger(Link<&TQOMultiElementEx::Deliver>(temp, 4), 9);
    EXPECT_EQ(Log(), (std::vector<std::string>{"grid t1", "~t1"}));
    EXPECT_EQ(temp.Current(), nullptr);
    EXPECT_EQ(ReadInteger(Link<&TQOMultiElementEx::Count>(temp, 1)), 0);
}

struct PointListCase {
    const char* text;
    std::size_t lines;
};

class PointLists : public ::testing::TestWithParam<PointListCase> {};

TEST_P(PointLists, OnePointPerLine) {
    TQOEditMultiEx edge;
    edge.SetInwardCommands(GetParam().text);
    edge.SetInwardData(GetParam().text);
    EXPECT_EQ(edge.innerEvents.size(), GetParam().lines);
    EXPECT_EQ(edge.innerDataInputs.size(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, PointLists,
                         ::testing::Values(PointListCase{"", 0}, PointListCase{"a", 1},
                                           PointListCase{"a\r\n", 1}, PointListCase{"a\r\nb", 2},
                                           PointListCase{"a\rb\r", 2}, PointListCase{"a\r\n\r\nb", 3},
                                           PointListCase{"\r\n", 1}));

TEST(PointListResources, TicketListsHaveTheirPointCounts) {
    EXPECT_EQ(CountPointLines(LoadTextResource("Str3")), 8u);
    EXPECT_EQ(CountPointLines(LoadTextResource("Str4")), 1u);
    EXPECT_EQ(CountPointLines(LoadTextResource("Str5")), 2u);
    EXPECT_EQ(CountPointLines(LoadTextResource("Str6")), 1u);
}

} // namespace
