#pragma once
// TQOPanel: a painted container with bevels, a border and a one-line caption. Laying out what it
// holds is left to the layer's alignment rule (the bevels and border form the margin).
#include <cstdint>
#include <string>

#include "widgets/win.h"

namespace qo {

class TQOPanel : public TQOWin {
public:
    explicit TQOPanel(Control* parent);

    std::string caption;
    std::uint8_t innerBevel = 0; // 0 none, 1 lowered, 2 raised
    std::uint8_t outerBevel = 0;
    std::uint16_t bevelWidth = 1;
    std::uint8_t borderStyle = 0; // 1: single
    std::uint16_t borderWidth = 0;
    std::uint8_t captionAlign = 0; // 0 left, 1 right, 2 centre
    TEventLink onClick;            // null

    void Init() override;

    // bevelWidth × (outerBevel ≠ 0) + borderWidth + bevelWidth × (innerBevel ≠ 0)
    int Margin() const;

protected:
    bool HandleMessage(Message& m) override;

private:
    void Clicked();
};

} // namespace qo
