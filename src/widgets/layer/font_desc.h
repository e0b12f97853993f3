#pragma once
// A control's font as the elements describe it. The height is the logical-font height in pixels:
// positive gives the character cell (the elements use size + 6), negative the character itself.
#include "widgets/layer/colors.h"
#include <cstdint>
#include <string>

namespace qo {

namespace font_style {
constexpr std::uint8_t Bold = 1;
constexpr std::uint8_t Italic = 2;
constexpr std::uint8_t Underline = 4;
constexpr std::uint8_t StrikeOut = 8;
} // namespace font_style

struct FontDesc {
    std::string face;       // Windows-1251; empty: the toolkit's default face
    int height = 0;         // 0: the toolkit's default size
    std::uint8_t style = 0; // font_style bits; bold means weight 700, otherwise 400
    Color color = clWindowText;
    std::uint8_t charset = 1; // kept for the elements; the toolkit chooses glyphs by text

    bool operator==(const FontDesc&) const = default;
};

} // namespace qo
