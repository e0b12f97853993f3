#pragma once
// Texts inside the program are Windows-1251 bytes; source files and the platform speak UTF-8.
// These two functions are the only conversion between the two; the widget layer builds its
// QString conversion on them.
#include <string>
#include <string_view>

namespace qo {

// UTF-8 → Windows-1251. A character the code page lacks becomes '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1251(std::string_view utf8);

// Windows-1251 → UTF-8. Every byte maps to a character (0x98, unassigned, to U+FFFD).
std::string Cp1251ToUtf8(std::string_view ansi);

// Shorthand for Russian literals in code: Cp1251("Подтверждение").
inline std::string Cp1251(std::string_view utf8) {
    return Utf8ToCp1251(utf8);
}

} // namespace qo
