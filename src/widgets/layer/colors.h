#pragma once
// The colour encoding the elements speak: a value with the top bit set names a system colour by
// the index in its low byte (answered from the toolkit's current palette); any other value is
// 0x00BBGGRR. Turning colours into palettes is left to the layer's inside.
#include <cstdint>

namespace qo {

using Color = std::uint32_t;

constexpr bool IsSystemColor(Color c) {
    return (c & 0x80000000u) != 0;
}
constexpr int SystemColorIndex(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// System colour indexes the program uses.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;

constexpr Color clBtnFace = 0x8000000Fu;
constexpr Color clWindow = 0x80000005u;
constexpr Color clWindowText = 0x80000008u;
constexpr Color clBtnShadow = 0x80000010u;
constexpr Color clBtnHighlight = 0x80000014u;
constexpr Color clGrayText = 0x80000011u;
constexpr Color clBlack = 0x000000u;
constexpr Color clNavy = 0x800000u;
constexpr Color clWhite = 0xFFFFFFu;
// No colour at all: what a control carries where nothing was asked for.
constexpr Color kNoMark = 0xFFFFFFFFu;

// The colour as 0x00RRGGBB after resolving a system colour against the current palette.
std::uint32_t ResolveColor(Color c);

} // namespace qo
