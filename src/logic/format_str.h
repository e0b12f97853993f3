#pragma once
// Builds a text from a mask with numbered placeholders (%1, %2, …; %% for a literal %) and hands
// it on. Where each argument's text comes from is left to the links and the incoming event.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/link.h"

namespace qo {

class TQOFormatStr {
public:
    std::string mask;
    std::uint8_t skipInserted = 0;     // 1: scanning resumes after an inserted argument, else at its start
    std::vector<TEventLink> arguments; // data input of argument k is arguments[k - 1]
    TEventLink resultOutput;

    void SetArgumentCount(std::int32_t count);
    std::int32_t ArgumentCount() const { return argumentCount_; }

    void Format(TData& d, std::uint16_t index);

    // Without skipping, an argument that reproduces a placeholder would be expanded forever.
    // Past either bound the rest of the mask is still filled, but inserted text is not rescanned.
    static constexpr int maxRescannedInsertions = 10000;
    static constexpr std::size_t maxRescannedLength = 64 * 1024;

private:
    std::int32_t argumentCount_ = 0;
};

} // namespace qo
