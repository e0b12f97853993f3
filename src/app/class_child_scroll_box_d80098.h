#pragma once
// The ticket list below the number box: the scrolling box of tickets, the menu commands that
// concern tickets, and the way out for "Игра". The tickets themselves are TClassChildPanelEx_D82A4C.
#include "containers/scheme.h"

namespace qo {
class TQOScrollBox;
class TQOMultiElementEx;
class TQOEditMulti;
} // namespace qo

namespace lotto {

class TClassChildPanelEx_D82A4C;

class TClassChildScrollBox_D80098 : public qo::TScheme {
public:
    explicit TClassChildScrollBox_D80098(qo::Control* parent);

    qo::TQOScrollBox& box() const { return *box_; }
    qo::TQOMultiElementEx& tickets() const { return *tickets_; }
    // Deletes every ticket without asking (the caller has asked what it needed to).
    void DeleteAllTickets();
    // Makes a ticket as the menu's "&Новый" does (the list scrolled to the top, the ticket added
    // and numbered) and answers it; null when none was made.
    TClassChildPanelEx_D82A4C* NewTicket();

private:
    qo::TQOEditMulti* edge_ = nullptr;
    qo::TQOScrollBox* box_ = nullptr;
    qo::TQOMultiElementEx* tickets_ = nullptr;
};

} // namespace lotto
