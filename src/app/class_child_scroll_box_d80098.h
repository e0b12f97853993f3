#pragma once
// The ticket list below the number box: the scrolling box of tickets, the menu commands that
// concern tickets, and the way out for "Игра". The tickets themselves are TClassChildPanelEx_D82A4C.
#include <cstdint>
#include <vector>

#include "containers/scheme.h"

namespace qo {
class TQOScrollBox;
class TQOMultiElement;
class TQOMultiElementEx;
class TQOEditMulti;
} // namespace qo

namespace lotto {

namespace game {
class Model;
}
class TicketNumbers;
class TQOInlineCode_DAAD94;

class TClassChildPanelEx_D82A4C;
class TQOInlineCode_D9D224;

class TClassChildScrollBox_D80098 : public qo::TScheme {
public:
    explicit TClassChildScrollBox_D80098(qo::Control* parent);

    qo::TQOScrollBox& box() const { return *box_; }
    qo::TQOMultiElementEx& tickets() const { return *tickets_; }
    // The ticket at a place in the list, from 0 (the list's factory makes nothing but tickets).
    TClassChildPanelEx_D82A4C& ticket(std::size_t position) const;
    // Every ticket in list order with its logic, read again only once the list changed: for the
    // views that go through all the tickets after every call.
    struct Listed {
        TClassChildPanelEx_D82A4C* ticket;
        TQOInlineCode_D9D224* logic;
    };
    const std::vector<Listed>& listed() const;
    // The game model the tickets and the all-ticket commands record into, borrowed for the list's
    // lifetime; set before the first ticket is made.
    void Follow(game::Model& model);
    // The list a main scheme's container holds.
    static TClassChildScrollBox_D80098& Of(const qo::TQOMultiElement& container);
    // Deletes every ticket without asking (the caller has asked what it needed to).
    void DeleteAllTickets();
    // Makes a ticket as the menu's "&Новый" does (the list scrolled to the top, the ticket added
    // and numbered) and answers it; null when none was made.
    TClassChildPanelEx_D82A4C* NewTicket();

private:
    qo::TQOEditMulti* edge_ = nullptr;
    qo::TQOScrollBox* box_ = nullptr;
    qo::TQOMultiElementEx* tickets_ = nullptr;
    TicketNumbers* numbers_ = nullptr;
    TQOInlineCode_DAAD94* allTickets_ = nullptr;
    mutable std::vector<Listed> listed_;
    mutable std::uint64_t listedAt_ = ~std::uint64_t{0};
};

} // namespace lotto
