#pragma once
// TQOEdit: a one-line number entry. Text that does not validate is undone in place, every valid
// change is reported, a number over the limit is clamped after being reported, and Enter confirms
// and empties the box. What the numbers are for is left to the links.
#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/win.h"

namespace qo {

class EditControl;

class TQOEdit : public TQOWin {
public:
    // Turns a (lower-cased) text into a value; answers whether the text is valid.
    using Validator = bool (*)(std::string_view text, TData& out);
    // Valid when not empty and all digits; the value is the integer.
    static bool DigitValidator(std::string_view text, TData& out);

    explicit TQOEdit(Control* parent);
    EditControl* edit() const; // the element's Control as the edit it is

    // ---- Working state.
    std::string lastValidText;
    std::int32_t lastValidCaret = 0;
    std::int32_t changeState = 1; // 0 / 2: do not report the next change; 1: report
    std::int32_t numberLimit = 0;
    Validator validator = &DigitValidator;

    // ---- Properties, assigned before Init.
    std::uint8_t password = 0;
    std::string initialText;
    std::int32_t quietStart = 0;
    std::uint8_t readOnly = 0;
    std::uint8_t wantTab = 0;
    std::int32_t maxLength = 0;
    std::int32_t maxNumber = 0;
    std::uint8_t clampNumber = 0;
    std::uint8_t letterCase = 0; // 0 as typed, 1 lower, 2 upper

    // ---- Events.
    TEventLink onEnter;  // the valid value confirmed with Enter
    TEventLink onChange; // the valid value after each change
    TEventLink onChar;   // each typed character as a one-character text
    // Asked with each pasted text: a non-zero integer answer means it was taken, and the box pastes
    // nothing of its own; otherwise (or unlinked) the box pastes it as any edit does.
    TEventLink takePaste;

    void Init() override;

    // Data point: the validated value, or null when the text is not valid (an empty box too).
    void EditValue(TData& d, std::uint16_t index);

    // The validation step: true with `out` filled when valid; otherwise an invalid text is undone.
    bool Validate(TData& out);

protected:
    void HandleKeyDown(int& key, int shift) override;

private:
    void Changed();
    void Typed(int& ch);
};

} // namespace qo
