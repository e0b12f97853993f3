#pragma once
// The text of edits and memos as the box shows it (edit_text.cpp): lines laid out at the box's
// text width, positions counted as the box counts them, and text the user typed taken back into
// the state. The line interface the elements use is EditControl's.
#include <QString>
#include <string>
#include <string_view>

namespace qo {

class Control;

void EnsureLines(const Control& c);
void InvalidateLines(const Control& c);
QString EditDisplayText(std::string_view cp1251); // CR LF / CR become '\n'
std::string EditStoredText(const QString& shown); // '\n' becomes CR LF
// The widget's text changed under the user's hands: the state takes it and the change is reported.
void TextChangedByUser(Control& c, const QString& shown);

} // namespace qo
