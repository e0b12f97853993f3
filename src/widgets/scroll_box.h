#pragma once
// TQOScrollBox: a container that scrolls its content once it outgrows the box. The content is
// whatever elements are placed in it.
#include <cstdint>

#include "widgets/win.h"

namespace qo {

class TQOScrollBox : public TQOWin {
public:
    explicit TQOScrollBox(Control* parent);

    TEventLink positionSource;    // data: where the position point takes its value when connected
    std::uint8_t borderStyle = 0; // 0 dialog frame, 2 none

    void Init() override;

    // Input point: the content ends one line step above the given position, never above the top.
    void SetScrollPosition(TData& d, std::uint16_t index);
};

} // namespace qo
