#pragma once
// TQOMemo: a multi-line text box. Every user edit reports the whole new text; a typed Tab also
// appends a tab at the end of the text. Interpreting the lines is left to its readers.
#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/win_list.h"

namespace qo {

class TQOMemo : public TQOWinList {
public:
    explicit TQOMemo(Control* parent);

    std::uint8_t scrollBars = 0; // 0 none, 1 horizontal, 2 vertical, 3 both
    std::uint8_t editable = 1;   // 0: read-only
    std::string initialText;     // CR LF lines

    void Init() override;
    // A command of its own at the end of the context menu (after Init); choosing it fires
    // onCommand with its place among the memo's commands, from 0.
    void AddCommand(std::string_view text);
    TEventLink onCommand;

    void SetAllText(std::string_view text) override;
    void AddLineText(std::string_view text) override;

    // The option set the memo's Control is made with.
    std::uint32_t EditOptions() const;

private:
    void Changed();
    void Typed(int& ch);
    int commands_ = 0;
};

} // namespace qo
