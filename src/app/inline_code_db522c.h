#pragma once
// The real game: keeps the distinct numbers called at the table in the order they came and lists
// each new one; a repeat only brings its line into view. Counting the moves is left to whoever
// watches the list.
#include <cstdint>
#include <vector>

#include "runtime/link.h"

namespace lotto {

namespace game {
class Model;
}

class TQOInlineCode_DB522C {
public:
    qo::TEventLink windowHandle;  // data: the called-numbers box's window handle
    qo::TEventLink addLineOutput; // a new number into the called-numbers box
    qo::TEventLink clearOutput;   // empties the called-numbers box
    qo::TEventLink linesOutput;   // the called-numbers box's whole text, one number a line
    qo::TEventLink takenBack;     // a removed move's number, for the tickets to take back

    void Record(qo::TData& d, std::uint16_t index); // 0 is no call
    void Clear(qo::TData& d, std::uint16_t index);  // the value is ignored
    // Removing a mis-call: the move at a place (from 0), the last move, or the move whose line holds
    // the list's caret when the key is Delete. Nothing to remove is no fault.
    void RemoveAt(qo::TData& d, std::uint16_t index);
    void RemoveLast(qo::TData& d, std::uint16_t index);
    void ListKey(qo::TData& d, std::uint16_t index);
    void RemoveSelected(qo::TData& d, std::uint16_t index); // the list's context command

    // The numbers called, in order; putting back a kept game lists them anew.
    const std::vector<int>& called() const { return called_; }
    game::Model* model = nullptr; // borrowed: told the moves whenever they change
    void PutBack(const std::vector<int>& called);

private:
    void Scroll(int lines);
    void Remove(std::size_t place);
    std::size_t SelectedPlace() const; // the move on the line holding the list's caret
    void Tell();

    std::vector<int> called_;
};

} // namespace lotto
