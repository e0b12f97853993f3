#include "widgets/edit.h"

#include "widgets/layer/edit_control.h"

namespace qo {

namespace {

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

} // namespace

bool TQOEdit::DigitValidator(std::string_view text, TData& out) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    MakeInteger(out, TextToInteger(text));
    return true;
}

TQOEdit::TQOEdit(Control* parent) : TQOWin(parent) {}

EditControl* TQOEdit::edit() const {
    return As<EditControl>(control_);
}

void TQOEdit::Init() {
    changeState = quietStart == 0 ? 1 : 0;

    std::uint32_t options = 0;
    if (password) options |= edit_option::Password;
    if (readOnly) options |= edit_option::ReadOnly;
    if (wantTab) options |= edit_option::KeepTab;
    if (letterCase == 1) options |= edit_option::LowerCase;
    if (letterCase == 2) options |= edit_option::UpperCase;
    if (!control_) control_ = EditControl::Create(parent_, options);
    control_->setText(initialText);

    if (flatBorder == 0) control_->setStyle(control_->style() & ~WS_BORDER);

    TQOWin::Init();
    if (!control_) return;

    control_->setOnChange([this] { Changed(); });
    control_->setOnChar([this](int& ch) { Typed(ch); });
    edit()->setOnPaste([this](const std::string& text) {
        if (!LinkConnected(takePaste)) return false;
        TData asked;
        MakeString(asked, text);
        CallLink(takePaste, asked);
        return asked.kind == dkInteger && asked.integer != 0;
    });

    edit()->limitText(maxLength);
    numberLimit = maxNumber;
}

bool TQOEdit::Validate(TData& out) {
    MakeNull(out);
    if (!control_ || !validator) return false;
    const std::string text = control_->text();
    const int caret = edit()->caret();
    const std::string lower = AsciiLower(text);
    if (validator(lower, out)) {
        lastValidCaret = caret;
        lastValidText = text;
        return true;
    }
    MakeNull(out);
    // A text that only lacks its digits (an emptied box) may stay; anything else is undone.
    TData probe;
    if (!validator(lower + "0", probe)) {
        changeState = 2;
        control_->setText(lastValidText);
        if (control_) edit()->setCaret(lastValidCaret);
    }
    return false;
}

void TQOEdit::Changed() {
    if (changeState == 1) {
        TData value;
        if (Validate(value)) CallLink(onChange, value);
    }
    changeState = 1;
    // NOTE: the typed value is reported before the clamp replaces it; the clamped text comes back
    // through this handler and is reported in turn.
    if (control_ && clampNumber == 1 && TextToInteger(control_->text()) > numberLimit) {
        control_->setText(IntegerToText(numberLimit));
    }
}

void TQOEdit::HandleKeyDown(int& key, int shift) {
    if (key == VK_RETURN && LinkConnected(onEnter)) {
        TData value;
        if (Validate(value)) {
            CallLink(onEnter, value);
            changeState = 2;
            if (control_) control_->setText("");
            // The emptied box is what an invalid text goes back to, not the number just confirmed.
            lastValidText.clear();
            lastValidCaret = 0;
        }
        key = 0;
        return;
    }
    TQOWin::HandleKeyDown(key, shift);
}

void TQOEdit::Typed(int& ch) {
    FireString(onChar, std::string(1, static_cast<char>(ch)));
    if (wantTab && ch == VK_TAB && control_) {
        edit()->replaceSelection("\t");
        ch = 0;
    }
}

void TQOEdit::EditValue(TData& d, std::uint16_t) {
    TData value;
    if (Validate(value))
        d = value;
    else
        MakeNull(d);
}

} // namespace qo
