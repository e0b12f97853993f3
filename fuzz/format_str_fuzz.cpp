// Formatter masks. The input gives the argument count, the skip flag, the mask, the texts of the
// incoming event chain and of a few connected arguments. Arguments may themselves hold
// placeholders, so without its bounds the formatter would expand some masks forever; with them it
// must always fire exactly one result, of bounded length.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "logic/format_str.h"
#include "runtime/link.h"

namespace {

struct Source {
    std::string text;
    void Answer(qo::TData& d, std::uint16_t) { qo::MakeString(d, text); }
};

struct Result {
    int fired = 0;
    std::size_t length = 0;
    void Take(qo::TData& d, std::uint16_t) {
        ++fired;
        length = qo::ToText(d).size();
    }
};

constexpr std::size_t kMaxText = 64;
constexpr int kMaxArguments = 12;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qo::EnableDispatch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    qo::TQOFormatStr f;
    f.SetArgumentCount(in.ConsumeIntegralInRange<std::int32_t>(-2, kMaxArguments));
    f.skipInserted = in.ConsumeIntegralInRange<std::uint8_t>(0, 2);

    // Up to four connected arguments; the others read the event chain.
    std::vector<Source> sources(4);
    for (Source& s : sources) {
        const int argument = in.ConsumeIntegralInRange<int>(0, kMaxArguments);
        s.text = in.ConsumeRandomLengthString(kMaxText);
        if (argument > 0 && argument <= f.ArgumentCount()) {
            f.arguments[static_cast<std::size_t>(argument - 1)] = qo::Link<&Source::Answer>(s);
        }
    }
    std::vector<qo::TData> chain(in.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (std::size_t i = 0; i < chain.size(); ++i) {
        qo::MakeString(chain[i], in.ConsumeRandomLengthString(kMaxText));
        if (i > 0) chain[i - 1].next = &chain[i];
    }
    f.mask = in.ConsumeRemainingBytesAsString();

    Result result;
    f.resultOutput = qo::Link<&Result::Take>(result);
    qo::TData event;
    if (!chain.empty()) event = chain[0];
    qo::CallLink(qo::Link<&qo::TQOFormatStr::Format>(f), event);

    // Rescanning stops past its bounds, with the text at most one argument longer than the longer
    // of the mask and the length bound; after that each placeholder left to scan, at most one per
    // two bytes, inserts one argument at most.
    const std::size_t stopped = std::max(qo::TQOFormatStr::maxRescannedLength, f.mask.size()) + kMaxText;
    const std::size_t bound = stopped + stopped / 2 * kMaxText;
    if (result.fired != 1 || result.length > bound) {
        std::fprintf(stderr, "fired %d times, %zu bytes (bound %zu)\n", result.fired, result.length, bound);
        std::abort();
    }
    return 0;
}
