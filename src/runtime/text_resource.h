#pragma once
// Multi-line property texts built into the program ("Str1" … "Str7"): Windows-1251, lines
// separated by CR LF. Splitting into lines is left to whoever reads them.
#include <string>
#include <string_view>

namespace qo {

// The text named `name` (matched without regard to case), or "" when the program has none.
std::string LoadTextResource(std::string_view name);

} // namespace qo
