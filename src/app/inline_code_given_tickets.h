#pragma once
// Opens the ticket files the program was started with (one double-clicked in a file manager), each
// into a new ticket at the end of the list. A file is read, checked and told about as the ticket's
// "Открыть..." does with a chosen one; the ticket is made by the list, as "&Новый" makes one.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/data.h"

namespace qo {
class TQOMultiElement;
}

namespace lotto {

class TQOInlineCode_GivenTickets {
public:
    // `ticketList`: the main scheme's container of the ticket list, borrowed for its lifetime.
    explicit TQOInlineCode_GivenTickets(qo::TQOMultiElement& ticketList) : ticketList_(ticketList) {}

    // ---- Property, set before the scheme starts: the files' paths (UTF-8), in the order given.
    std::vector<std::string> files;

    // ---- Input: the start has asked what it had to; opens the files once.
    void Open(qo::TData& d, std::uint16_t index);

    // Files handed over by a later start of the program: opened after the ones it started with, at
    // once when those are open, else with them.
    void OpenLater(const std::vector<std::string>& paths);

private:
    void OpenGiven();

    qo::TQOMultiElement& ticketList_;
    bool started_ = false;
    bool opening_ = false;
};

} // namespace lotto
