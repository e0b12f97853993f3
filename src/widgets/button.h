#pragma once
// TQOButton: a push button that fires its click event with its data value. What a click does is
// left to the link.
#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/win.h"

namespace qo {

class TQOButton : public TQOWin {
public:
    // Makes the button's Control at once.
    explicit TQOButton(Control* parent);

    std::string caption;
    TEventLink onClick; // a copy of `data`
    TData data;

    // Setters the scheme calls.
    void SetCaptionText(std::string_view text); // stores and shows it
    void SetCaptionAlign(int alignment);        // 0 left, 1 right, 2 centre

    // Input point: the caption becomes the incoming text.
    void SetCaption(TData& d, std::uint16_t index);

private:
    void Clicked();
};

} // namespace qo
