#pragma once
// Colours and fonts as the toolkit wants them, made once per distinct value: a program with
// thousands of cells uses a handful of palettes and two or three fonts.
#include "widgets/layer/colors.h"
#include "widgets/layer/font_desc.h"
#include <QColor>
#include <QFont>
#include <QPalette>

namespace qo {

QColor ToQColor(Color c);
// Background roles (Window, Base, Button) in `background`, text roles in `text`.
const QPalette& PaletteFor(Color background, Color text);
const QFont& FontFor(const FontDesc& desc);
// Lets go of every palette and font made, before the application object goes.
void ClearStyleCaches();

} // namespace qo
