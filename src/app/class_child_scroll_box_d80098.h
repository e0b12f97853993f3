#pragma once
// The ticket list below the number box: the scrolling box of tickets, the menu commands that
// concern tickets, and the way out for "Игра". The tickets themselves are TClassChildPanelEx_D82A4C.
#include "containers/scheme.h"

namespace qo {
class TQOScrollBox;
class TQOMultiElementEx;
} // namespace qo

namespace lotto {

class TClassChildScrollBox_D80098 : public qo::TScheme {
public:
    explicit TClassChildScrollBox_D80098(qo::Control* parent);

    qo::TQOScrollBox& box() const { return *box_; }
    qo::TQOMultiElementEx& tickets() const { return *tickets_; }
    // Deletes every ticket without asking (the caller has asked what it needed to).
    void DeleteAllTickets();

private:
    qo::TQOScrollBox* box_ = nullptr;
    qo::TQOMultiElementEx* tickets_ = nullptr;
};

} // namespace lotto
