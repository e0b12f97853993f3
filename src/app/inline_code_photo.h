#pragma once
// "Билеты с фото..." and Ctrl+V of a picture on the main window: tickets read from pictures, looked
// over by the player, then added at the end of the list as typed tickets, made by the list as
// "&Новый" makes one. Finding and reading the cards is the photo room's (app/photo); a program
// built without it shows the item greyed, saying why.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/data.h"

namespace qo {
class Control;
class TQOMenu;
class TQOMultiElement;
} // namespace qo

namespace lotto {

class TQOInlineCode_Photo {
public:
    // `ticketList`: the main scheme's container of the ticket list, borrowed for its lifetime.
    explicit TQOInlineCode_Photo(qo::TQOMultiElement& ticketList) : ticketList_(ticketList) {}

    int menuItem = -1; // the number of the menu item "Билеты с фото..."

    // Set once the menu is built: greys the item where the part is not built, and listens for a
    // picture pasted into `window`.
    void Attach(qo::TQOMenu& menu, qo::Control* window);

    void Choose(qo::TData& d, std::uint16_t index); // a menu item's number

    // Why the item is greyed, Windows-1251; "" where pictures can be read.
    static std::string Problem();

    // Adds the tickets, 54 numbers each (card 1 rows 1-3, then card 2; 0 for an empty cell).
    void AddTickets(const std::vector<std::array<int, 54>>& tickets);

private:
    qo::TQOMultiElement& ticketList_;
    qo::Control* window_ = nullptr;
};

} // namespace lotto
