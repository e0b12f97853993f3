#pragma once
// One lotto ticket in the list: its raised panel holding the body (grid, entry box, buttons) and
// the notes, its handle store, and the edge through which the list reaches it. Outward event 0
// asks the list to delete this ticket and carries its handle.
#include "containers/scheme.h"

namespace qo {
class TQOPanel;
class TQOMultiElement;
} // namespace qo

namespace lotto {

class TClassChildPanel_D99A78;
class TClassChildPanel_D94AB8;

class TClassChildPanelEx_D82A4C : public qo::TScheme {
public:
    explicit TClassChildPanelEx_D82A4C(qo::Control* parent);

    qo::TQOPanel& panel() const { return *panel_; }
    TClassChildPanel_D99A78& body() const;
    TClassChildPanel_D94AB8& notes() const;

private:
    qo::TQOPanel* panel_ = nullptr;
    qo::TQOMultiElement* body_ = nullptr;
    qo::TQOMultiElement* notes_ = nullptr;
};

} // namespace lotto
