#pragma once
// The "Ход игры" window: the last number called, a 1–90 board of what was called and what stands on
// the player's tickets, the log of completed rows, cards and tickets, newest first, and the "Жду" list
// of what each number still to come would complete; its button
// takes the last move back. Its container has one input (0 a menu item's number: its own shows the
// window) and one event (0 the last move is to go); what it shows is made by its code block.
#include "containers/scheme.h"

namespace qo {
class TQOButton;
class TQOLabel;
class TQOMainForm;
class TQOMemo;
class TQOMultiElement;
class TQOPanel;
} // namespace qo

namespace lotto {

class TQOInlineCode_GameLog;

class TClassChildForm_GameLog : public qo::TScheme {
public:
    explicit TClassChildForm_GameLog(qo::Control* parent);

    struct Controls {
        qo::TQOMainForm* form = nullptr;
        qo::TQOLabel* last = nullptr;
        qo::TQOButton* undo = nullptr;
        qo::TQOPanel* board = nullptr;
        qo::TQOMemo* log = nullptr;
        qo::TQOMemo* waiting = nullptr; // "Жду"
    };
    const Controls& controls() const { return controls_; }
    TQOInlineCode_GameLog& code() const { return *code_; }

    // The window a main scheme's container holds.
    static TClassChildForm_GameLog& Of(const qo::TQOMultiElement& container);

private:
    Controls controls_;
    TQOInlineCode_GameLog* code_ = nullptr;
};

} // namespace lotto
