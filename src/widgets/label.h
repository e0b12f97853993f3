#pragma once
// TQOLabel: a line of text that can size itself to what it shows and can pull its text from a
// data point. Formatting the text is left to whoever feeds it.
#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/win.h"

namespace qo {

class TQOLabel : public TQOWin {
public:
    // Makes the label's Control at once.
    explicit TQOLabel(Control* parent);

    TEventLink onClick;    // null
    TEventLink textSource; // data: where the caption point takes its text when connected

    // Setters the scheme calls.
    void SetCaptionText(std::string_view text);
    void SetAlignment(int alignment); // 0 left, 1 right, 2 centre
    void SetAutoSize(bool on);        // the label follows its text's size from now on

    // Input point: shows TakeString of the incoming value (textSource wins when connected).
    void SetCaption(TData& d, std::uint16_t index);

private:
    void Clicked();
};

} // namespace qo
