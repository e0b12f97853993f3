#include <gtest/gtest.h>

#include "logic/format_str.h"
#include "recorder.h"
#include "runtime/cp1251.h"

using namespace qo;
using qotest::Recorder;

namespace {

// Fires the format input with a chain of texts as the event (the first value first).
std::string FormatWith(TQOFormatStr& f, const std::vector<std::string>& values) {
    Recorder out;
    f.resultOutput = out.To();
    std::vector<TData> chain(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        MakeString(chain[i], values[i]);
        if (i + 1 < values.size()) chain[i].next = &chain[i + 1];
    }
    TData d;
    if (!chain.empty()) d = chain[0];
    CallLink(Link<&TQOFormatStr::Format>(f), d);
    EXPECT_EQ(out.got.size(), 1u);
    return out.got.empty() ? "" : out.got[0].substr(std::string("0 text ").size());
}

struct MaskCase {
    std::int32_t count;
    const char* mask;
    std::vector<std::string> event;
    const char* expected;
};

class Masks : public qotest::DispatchOn, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(Masks, FillFromTheEventInOrderOfOccurrence) {
    TQOFormatStr f;
    f.SetArgumentCount(GetParam().count);
    f.mask = GetParam().mask;
    EXPECT_EQ(FormatWith(f, GetParam().event), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Masks,
    ::testing::Values(
        MaskCase{2, "%2-%1", {"a", "b"}, "a-b"},    // the first placeholder met takes the first value
        MaskCase{2, "%%1", {"a"}, "%1"},            // %% is one %, the 1 stays text
        MaskCase{2, "100%% %1", {"a"}, "100% a"},   //
        MaskCase{0, "100%% %1", {"a"}, "100%% %1"}, // no arguments: the mask as it stands
        MaskCase{2, "%0 %3 %x", {"a"}, "%0 %3 %x"}, // out of range or no number
        MaskCase{2, "a%", {"b"}, "a%"},             // a trailing % is never looked at
        MaskCase{2, "%1%", {"b"}, "b%"},            //
        MaskCase{2, "%12", {"a"}, "%12"},           // one number, not %1 then 2
        MaskCase{12, "<%12>", {"a"}, "<a>"},        //
        MaskCase{2, "%65537", {"a"}, "a"},          // the number wraps at 16 bits
        MaskCase{2, "%1,%1,%2", {"a"}, "a,,"},      // an exhausted event gives ""
        MaskCase{2, "%1", {"[%2]", "z"}, "[z]"}));  // inserted text is scanned again

TEST_F(Masks, ConnectedArgumentWins) {
    TQOFormatStr f;
    f.SetArgumentCount(1);
    f.mask = Cp1251("Ходов: %1");
    Recorder source;
    MakeInteger(source.value, 7);
    f.arguments[0] = source.From();
    EXPECT_EQ(FormatWith(f, {"ignored"}), Cp1251("Ходов: 7"));
}

TEST_F(Masks, SkippingLeavesInsertedPlaceholdersAlone) {
    TQOFormatStr f;
    f.SetArgumentCount(2);
    f.mask = "%1";
    f.skipInserted = 1;
    EXPECT_EQ(FormatWith(f, {"[%2]", "z"}), "[%2]");
}

// Without skipping, an argument that reproduces its own placeholder used to be expanded forever.
TEST_F(Masks, SelfReproducingArgumentStillFinishes) {
    TQOFormatStr f;
    f.SetArgumentCount(2);
    f.mask = "%1 %2";
    Recorder self, tail;
    MakeString(self.value, "%1");
    MakeString(tail.value, "end");
    f.arguments[0] = self.From();
    f.arguments[1] = tail.From();
    EXPECT_EQ(FormatWith(f, {}), "%1 end");
}

TEST_F(Masks, GrowingArgumentStillFinishes) {
    TQOFormatStr f;
    f.SetArgumentCount(1);
    f.mask = "%1";
    Recorder self;
    MakeString(self.value, "<%1%1>");
    f.arguments[0] = self.From();
    const std::string result = FormatWith(f, {}); // returning at all is the point
    EXPECT_EQ(result.substr(0, 3), "<<<");
    EXPECT_EQ(result.back(), '>');
}

// Past the length bound the placeholders already in the text are still filled, tens of thousands of
// them; filling each one used to move the whole rest of the text (seconds for one call under the
// sanitizers). Every character of the result is known: each rescanned insertion of the 256
// placeholders adds 255, the 129th takes the text past 64 KiB and is kept as it stands, and each of
// the 32640 placeholders after it gets the argument once.
TEST_F(Masks, ThousandsOfPlaceholdersPastTheLengthBoundAreEachFilledOnce) {
    TQOFormatStr f;
    f.SetArgumentCount(1);
    f.mask = "%1";
    std::string wide;
    for (int i = 0; i < 256; ++i)
        wide += "%1";
    Recorder self;
    MakeString(self.value, wide);
    f.arguments[0] = self.From();
    const std::string result = FormatWith(f, {});
    ASSERT_EQ(result.size(), wide.size() * (1 + 32640));
    for (std::size_t at = 0; at < result.size(); at += wide.size()) {
        ASSERT_EQ(result.compare(at, wide.size(), wide), 0) << at;
    }
}

} // namespace
