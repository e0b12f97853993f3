#pragma once
// A ticket's body: the number grid (made by the logic block), the entry box, the six buttons with
// their questions, and the logic block that does the work. Container inputs 0–3: check, reset
// numbers, reset colours, fill; events 0 "delete me", 1 "show these notes"; data input 0 the notes.
#include <array>

#include "containers/scheme.h"

namespace qo {
class TQOPanel;
class TQOEdit;
class TQOButton;
} // namespace qo

namespace lotto {

class TQOInlineCode_D9D224;

class TClassChildPanel_D99A78 : public qo::TScheme {
public:
    explicit TClassChildPanel_D99A78(qo::Control* parent);

    enum Button { kResetNumbers, kResetColours, kFill, kDelete, kSave, kOpen, kButtonCount };

    qo::TQOPanel& panel() const { return *panel_; }
    qo::TQOEdit& entryBox() const { return *entryBox_; }
    qo::TQOButton& button(Button b) const { return *buttons_[b]; }
    TQOInlineCode_D9D224& logic() const { return *logic_; }

private:
    qo::TQOPanel* panel_ = nullptr;
    qo::TQOEdit* entryBox_ = nullptr;
    std::array<qo::TQOButton*, kButtonCount> buttons_{};
    TQOInlineCode_D9D224* logic_ = nullptr;
};

} // namespace lotto
