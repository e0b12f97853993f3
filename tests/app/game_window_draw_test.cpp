// The virtual game's draw on its own: which number each random value gives, and that every number
// comes up equally often.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/inline_code_db0d64.h"
#include "runtime/link.h"
#include "runtime/random.h"

namespace {

using lotto::TQOInlineCode_DB0D64;

// The state whose successor is `next`, so that the next Random() gives next / 2^32.
std::uint32_t StateBefore(std::uint32_t next) {
    constexpr std::uint32_t a = 134775813u;
    std::uint32_t inverse = a; // Newton's iteration doubles the correct low bits each step
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - a * inverse;
    return (next - 1u) * inverse;
}

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedSeed = qo::RandSeed();
        wasOn = qo::DispatchEnabled();
        qo::EnableDispatch();
        game.drawnOutput = qo::Link<&DrawTest::Take>(*this);
    }
    void TearDown() override {
        qo::RandSeed() = savedSeed;
        if (!wasOn) qo::DisableDispatch();
    }
    void Take(qo::TData& d, std::uint16_t) { drawn.push_back(qo::ToInteger(d)); }
    void Open(int value) {
        qo::TData d;
        qo::MakeInteger(d, value);
        game.OpenClose(d, 0);
    }
    void Draw() {
        qo::TData d;
        game.Draw(d, 0);
    }

    TQOInlineCode_DB0D64 game;
    std::vector<int> drawn;
    std::uint32_t savedSeed = 0;
    bool wasOn = false;
};

TEST_F(DrawTest, EachNinetiethOfTheRandomRangeGivesOneNumber) {
    struct Case {
        std::uint32_t state;
        int number;
    };
    const Case cases[] = {
        {0u, 1},           {0x80000000u, 46}, // r = 0.5
        {47721858u, 1},    {47721859u, 2},    // 2^32 / 90 = 47721858.8
        {4247245437u, 89}, {4247245438u, 90}, {0xFFFFFFFFu, 90},
    };
    for (const Case& c : cases) {
        qo::RandSeed() = StateBefore(c.state);
        EXPECT_EQ(TQOInlineCode_DB0D64::DrawFree({}), c.number) << c.state;
    }
}

TEST_F(DrawTest, ATakenNumberIsDrawnAgainFromTheNextRandomValue) {
    // With nothing taken each draw uses one random value: the free run gives the sequence.
    qo::RandSeed() = 12345u;
    std::vector<int> run;
    for (int i = 0; i < 4; ++i)
        run.push_back(TQOInlineCode_DB0D64::DrawFree({}));
    ASSERT_NE(run[1], run[0]);
    qo::RandSeed() = 12345u;
    EXPECT_EQ(TQOInlineCode_DB0D64::DrawFree({run[0]}), run[1]);
    qo::RandSeed() = 12345u;
    EXPECT_EQ(TQOInlineCode_DB0D64::DrawFree({run[0], run[1], run[2]}), run[3]);
}

TEST_F(DrawTest, FirstDrawsOfManyGamesComeUpEquallyOften) {
    constexpr int kGames = 90000;
    qo::RandSeed() = 20240611u;
    std::vector<int> count(91, 0);
    for (int g = 0; g < kGames; ++g) {
        Open(1);
        Draw();
        Open(0);
        ++count[drawn.back()];
    }
    // 1000 expected each, standard deviation about 31; the end numbers would get about 500 if
    // they had half a share.
    for (int n = 1; n <= 90; ++n) {
        EXPECT_NEAR(count[n], kGames / 90, 130) << n;
    }
}

} // namespace
