#pragma once
// How the program's own windows set up their controls: placed in black "MS Sans Serif" 8 (the
// font's defaults) on a colour, captions and spoken names in Windows-1251. Shared by the game
// window and the "Ход игры" window, so the two look and speak alike.
#include <string_view>

#include "runtime/cp1251.h"
#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/layer/colors.h"
#include "widgets/layer/control.h"
#include "widgets/memo.h"

namespace lotto::window_parts {

inline void Place(qo::TQOWin& w, int left, int top, int width, int height, qo::Color color) {
    w.left = left;
    w.top = top;
    w.width = width;
    w.height = height;
    w.color = color;
    w.font.color = 0;
}

inline void SetUpButton(qo::TQOButton& b, std::string_view captionUtf8, bool enabled) {
    b.SetCaptionText(qo::Cp1251(captionUtf8));
    b.SetCaptionAlign(2);
    b.enabled = enabled ? 1 : 0;
    b.Init();
}

inline void SetUpLabel(qo::TQOLabel& l, std::string_view textUtf8, bool bold) {
    l.font.style = bold ? 1 : 0;
    l.SetCaptionText(qo::Cp1251(textUtf8));
    l.SetAlignment(0);
    l.SetAutoSize(true);
    l.Init();
}

// A read-only list with a vertical scroll bar; `nameUtf8`: what a screen reader says for it, as
// it has no caption of its own.
inline void SetUpListBox(qo::TQOMemo& m, std::string_view nameUtf8) {
    m.scrollBars = 2;
    m.editable = 0;
    m.flatBorder = 0;
    m.Init();
    m.control()->setAccessibleName(qo::Cp1251(nameUtf8));
}

} // namespace lotto::window_parts
