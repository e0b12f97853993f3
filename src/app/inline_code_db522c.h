#pragma once
// The real game: keeps the distinct numbers called at the table in the order they came and lists
// each new one; a repeat only brings its line into view. Counting the moves is left to whoever
// watches the list.
#include <cstdint>
#include <vector>

#include "runtime/link.h"

namespace lotto {

class TQOInlineCode_DB522C {
public:
    qo::TEventLink windowHandle;  // data: the called-numbers box's window handle
    qo::TEventLink addLineOutput; // a new number into the called-numbers box
    qo::TEventLink clearOutput;   // empties the called-numbers box

    void Record(qo::TData& d, std::uint16_t index); // 0 is no call
    void Clear(qo::TData& d, std::uint16_t index);  // the value is ignored

    // The numbers called, in order; putting back a kept game lists them anew.
    const std::vector<int>& called() const { return called_; }
    void PutBack(const std::vector<int>& called);

private:
    void Scroll(int lines);

    std::vector<int> called_;
};

} // namespace lotto
