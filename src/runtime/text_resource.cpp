#include "runtime/text_resource.h"

#include <cctype>

#include "runtime/text_resources_data.h" // generated at build time from resources/Str*.txt

namespace qo {

std::string LoadTextResource(std::string_view name) {
    for (const auto& r : kTextResources) {
        const std::string_view candidate = r.name;
        if (candidate.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(candidate[i])) ==
                   std::tolower(static_cast<unsigned char>(name[i]));
        if (!same) continue;
        const std::string_view bytes(r.bytes, r.size);
        return std::string(bytes.substr(0, bytes.find('\0'))); // a text ends at its first NUL
    }
    return {};
}

} // namespace qo
