#include <gtest/gtest.h>

#include <vector>

#include "runtime/cp1251.h"
#include "runtime/event_scope.h"
#include "runtime/init_man.h"
#include "runtime/random.h"
#include "runtime/text_resource.h"

using namespace qo;

namespace {

struct Recorder {
    std::vector<int>* log;
    int id;
    std::vector<Recorder>* spawn = nullptr; // registers more entries while the list runs
    void Run() {
        log->push_back(id);
        if (spawn) {
            for (auto& r : *spawn)
                RegisterStartup<&Recorder::Run>(r);
        }
    }
};

TEST(Startups, RunNewestFirstAndOnce) {
    std::vector<int> log;
    std::vector<Recorder> r{{&log, 1}, {&log, 2}, {&log, 3}};
    for (auto& x : r)
        RegisterStartup<&Recorder::Run>(x);
    RunStartups();
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(PendingStartups(), nullptr);
    RunStartups(); // no list: nothing
    EXPECT_EQ(log.size(), 3u);
}

TEST(Startups, EntriesAddedWhileRunningWaitForTheNextRun) {
    std::vector<int> log;
    std::vector<Recorder> late{{&log, 10}, {&log, 11}};
    Recorder first{&log, 1, &late};
    RegisterStartup<&Recorder::Run>(first);
    RunStartups();
    EXPECT_EQ(log, (std::vector<int>{1}));
    RunStartups();
    EXPECT_EQ(log, (std::vector<int>{1, 11, 10}));
}

struct Reentrant {
    int runs = 0;
    void Run() {
        ++runs;
        RunStartups(); // from inside a running list: nothing
    }
};

TEST(Startups, RunFromInsideARunningListDoesNothing) {
    Reentrant a, b;
    RegisterStartup<&Reentrant::Run>(a);
    RegisterStartup<&Reentrant::Run>(b);
    RunStartups();
    EXPECT_EQ(a.runs, 1);
    EXPECT_EQ(b.runs, 1);
}

TEST(TextResources, ByNameWithoutRegardToCase) {
    EXPECT_EQ(LoadTextResource("Str1"),
              "left=Left\r\ntop=Top\r\nheight=Height\r\nwidth=Width\r\nwindowsstate=WS");
    EXPECT_EQ(LoadTextResource("str7"), LoadTextResource("Str7"));
    EXPECT_EQ(LoadTextResource("Str4"), Cp1251("onYES=Удалить"));
    EXPECT_NE(LoadTextResource("STR7").find(Cp1251("ПОСМОТРЕТЬ РЕКЛАМУ")), std::string::npos);
    EXPECT_EQ(LoadTextResource("Str8"), "");
    EXPECT_EQ(LoadTextResource(""), "");
}

TEST(Random, LinearCongruentialFromZero) {
    RandSeed() = 0;
    EXPECT_EQ(Random(), 1 / 4294967296.0);
    EXPECT_EQ(RandSeed(), 1u);
    EXPECT_EQ(Random(), 134775814 / 4294967296.0);
    for (int i = 0; i < 1000; ++i) {
        const double r = Random();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

TEST(Random, SeedsFromTimeOfDay) {
    SetTimeOfDayHook([]() -> std::uint32_t { return ((13 * 60 + 5) * 60 + 7) * 1000 + 250; });
    Randomize();
    EXPECT_EQ(RandSeed(), 47107250u);
    SetTimeOfDayHook(nullptr);
}

TEST(EventScope, DestructionWaitsForTheOutermostScope) {
    std::vector<int> log;
    DestroyWhenIdle([&] { log.push_back(0); });
    EXPECT_EQ(log, (std::vector<int>{0})) << "with no scope open, at once";
    {
        EventScope outer;
        {
            EventScope inner;
            DestroyWhenIdle([&] {
                log.push_back(1);
                DestroyWhenIdle([&] { log.push_back(2); });
            });
        }
        EXPECT_EQ(log.size(), 1u);
    }
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(EventScope::Depth(), 0);
}

TEST(EventScope, EachOutermostEventHasASerialOfItsOwnSharedByTheScopesInside) {
    EXPECT_EQ(EventScope::Serial(), 0u);
    unsigned first = 0;
    {
        EventScope outer;
        first = EventScope::Serial();
        EXPECT_NE(first, 0u);
        EventScope inner;
        EXPECT_EQ(EventScope::Serial(), first);
    }
    EXPECT_EQ(EventScope::Serial(), 0u);
    EventScope next;
    EXPECT_NE(EventScope::Serial(), first);
}

} // namespace
