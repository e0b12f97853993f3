#pragma once
// TQOMenu: a form's menu bar built from a plain multi-line text, turning choices into the chosen
// item's number and text. What a number means is left to where the events are linked.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/link.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/small_function.h"

namespace qo {

class Control;
class FormControl;
class Menu;
struct MenuItem;
class TQOMainForm;

class TQOMenu {
public:
    // Installs the menu's message handler over the form's; the form must be initialised first.
    explicit TQOMenu(Control* formWindow);
    explicit TQOMenu(TQOMainForm& form);
    ~TQOMenu();
    TQOMenu(const TQOMenu&) = delete;
    TQOMenu& operator=(const TQOMenu&) = delete;

    TEventLink onChoose;     // the chosen item's number
    TEventLink onChooseText; // right after, the chosen item's text
    TEventLink onHighlight;  // low 8 bits of the highlighted item's WM_MENUSELECT wParam

    // Builds the menu from the text and shows it as the form's menu bar; "" leaves no bar.
    void SetText(std::string_view text);

    Menu* menu() const { return menu_.get(); }
    // Reads a further text of the same grammar and appends its items at the end of the top level,
    // numbered on from the last item, so the numbers the first text gave stay as they were. Answers
    // the number of the first item added; -1 before the first text is set or when it adds none.
    int AppendText(std::string_view text);
    // The number of the first item whose text is exactly `text` ("&" included), or -1.
    int NumberOfText(std::string_view text) const;
    // Makes the item with that number a check item, marked or not, as the menu bar shows it.
    void SetChecked(int itemNumber, bool checked);

    // The item with that number (depth-first, parent before children, from 0), or by command
    // identifier when the value is 4096 or more; nullptr when none.
    MenuItem* FindItem(std::int64_t value) const;
    // The item's depth-first number, or -1.
    int NumberOf(const MenuItem* item) const;
    const std::vector<std::string>& itemTexts() const { return itemTexts_; }

private:
    bool HandleMessage(Message& m);
    void KeepTexts(); // the item texts, in number order

    FormControl* formWindow_; // nullptr when the menu stands on no form
    std::int32_t formId_;
    SmallFunction<bool(Message&)> previous_; // Control::MessageHandler
    std::unique_ptr<Menu> menu_;
    std::vector<std::string> itemTexts_;
};

} // namespace qo
