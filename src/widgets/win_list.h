#pragma once
// TQOWinList: a window element worked line by line, with one change event. Whole-text
// replacements made through the points report the change once, with a null value; how the text
// is held is left to the descendant.
#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/win.h"

namespace qo {

class EditControl;

class TQOWinList : public TQOWin {
public:
    using TQOWin::TQOWin;
    EditControl* lines() const; // the element's Control as the multi-line box it is

    TEventLink lineSource; // data: where AddLine takes its text when connected
    TEventLink onChange;

    // ---- Points.
    void AddLine(TData& d, std::uint16_t index);
    void ClearLines(TData& d, std::uint16_t index);
    void SetLines(TData& d, std::uint16_t index);
    void LineCount(TData& d, std::uint16_t index); // data: the line count as shown
    void AllText(TData& d, std::uint16_t index);   // data: every shown line + CR LF
    // data: every line as typed + CR LF: split only at the text's own line breaks, never where the
    // box wraps, so the lines do not depend on the box's width or font.
    void TypedLines(TData& d, std::uint16_t index);

    // ---- Operations the points use.
    virtual void SetAllText(std::string_view text);
    // How a line is added is the kind of list's own business.
    virtual void AddLineText(std::string_view text) = 0;
    virtual void ClearText();
    virtual std::string GetAllText() const;
};

} // namespace qo
