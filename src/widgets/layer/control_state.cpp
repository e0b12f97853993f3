#include "widgets/layer/control_state.h"

namespace qo {

const RareState ControlPrivate::kNoRare;
const HandlerSet ControlPrivate::kNoHandlers;
const std::vector<Control*> ChildList::kNone;

const FontDesc* InternFont(const FontDesc& desc) {
    static std::vector<std::unique_ptr<const FontDesc>> fonts;
    for (const auto& f : fonts) {
        if (*f == desc) return f.get();
    }
    fonts.push_back(std::make_unique<const FontDesc>(desc));
    return fonts.back().get();
}

} // namespace qo
