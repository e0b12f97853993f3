#pragma once
// The one crossing between the program's Windows-1251 texts and the toolkit's strings.
#include <QString>
#include <string>
#include <string_view>

namespace qo {

QString ToQString(std::string_view cp1251);
std::string FromQString(const QString& text); // characters outside the code page become '?'
int Cp1251FromChar(char16_t ch);              // -1 when the code page lacks it
char16_t CharFromCp1251(unsigned char byte);

} // namespace qo
