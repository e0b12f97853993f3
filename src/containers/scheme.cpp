#include "containers/scheme.h"

namespace qo {

TScheme::~TScheme() {
    edge_.reset();
    // NOTE: creation order, not the reverse: a nested container made early takes its whole
    // subtree down before later siblings, and the window outlives them all.
    for (auto& element : elements_)
        element.reset();
    elements_.clear();
    window_.reset();
}

} // namespace qo
