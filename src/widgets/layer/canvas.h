#pragma once
// The drawing surface a paint handler receives: the few operations the program's painting needs,
// in the layer's colour and text encodings. Owning the paint context is left to the layer.
#include "widgets/layer/colors.h"
#include "widgets/layer/control.h"
#include "widgets/layer/font_desc.h"
#include <string_view>
#include <utility>
#include <vector>

class QPainter;

namespace qo {

class Canvas {
public:
    Canvas(QPainter& painter, const Control& control) : painter_(painter), control_(control) {}

    void fillRect(const Rect& r, Color color);
    // Draws one-pixel lines through the points in order.
    void polyline(const std::vector<std::pair<int, int>>& points, Color color);
    // One line of text inside `r` with the control's font and font colour; clear background.
    // horizontal: 0 left, 1 right, 2 centre; vertical: 0 centre, 1 top, 2 bottom.
    void drawText(const Rect& r, std::string_view text, int horizontal, int vertical);
    // The same in a font of its own, for a surface that mixes weights and sizes.
    void drawText(const Rect& r, std::string_view text, int horizontal, int vertical, const FontDesc& font);
    TextExtent textExtent(std::string_view text) const;
    QPainter& painter() { return painter_; }

private:
    QPainter& painter_;
    const Control& control_;
};

} // namespace qo
