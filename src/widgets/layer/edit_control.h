#pragma once
// A one-line edit or a memo, and their line interface: lines as the box shows them (a memo wraps
// unless it scrolls sideways), the caret and selection, appending, and the length limit.
#include <string>
#include <string_view>

#include "widgets/layer/control.h"

namespace qo {

class EditControl final : public Control {
public:
    // A one-line edit, or a memo when `options` has edit_option::MultiLine.
    static EditControl* Create(Control* parent, std::uint32_t options);
    static bool Holds(ControlKind k) { return k == ControlKind::Edit || k == ControlKind::Memo; }

    bool multiLine() const { return kind() == ControlKind::Memo; }
    std::uint32_t editOptions() const;
    int lineCount() const; // an empty box has 1 line; a final CR LF counts an empty last line
    std::string line(int index) const;
    void appendText(std::string_view text); // whole text replaced by old + new
    // Puts text before the first line without writing the rest again, so a long list that grows
    // at the top costs only what is added; the caret stays where it was in the old text.
    void prependText(std::string_view text);
    void clear();
    void replaceAll(std::string_view text) { setText(text); }
    void replaceSelection(std::string_view text);
    int caret() const; // start of the selection
    void setSelection(int start, int end);
    void setCaret(int position) { setSelection(position, position); }
    void setCaretToLine(int line);
    void limitText(int maxChars); // 0: no limit
    int textLimit() const;
    void scrollLines(int lines); // EM_LINESCROLL: positive scrolls down (memos)
    int firstVisibleLine() const;

    // Pasted text (Ctrl+V, Shift+Insert, the context menu's Paste), Windows-1251, offered to the
    // handler first: true when it took it, and the box pastes nothing.
    using PasteHandler = SmallFunction<bool(const std::string& text)>;
    void setOnPaste(PasteHandler h);
    // A command of the element's own, after the box's items in its context menu. A right click
    // in a read-only memo that has one first puts the caret where it was clicked, as a list
    // selects the line under the mouse.
    void addContextCommand(std::string_view text, NotifyHandler run);

private:
    using Control::Control;
};

} // namespace qo
