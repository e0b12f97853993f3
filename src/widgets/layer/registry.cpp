#include "widgets/layer/registry.h"

#include <memory>
#include <utility>
#include <vector>

namespace qo {
namespace {

// Identifiers are handed out in order and never reused, so a table indexed by them needs no hashing:
// it is kept in blocks, and a block whose controls are all gone is given back.
class Registry {
public:
    static constexpr std::int32_t kFirst = 0x10000;

    void add(std::int32_t id, Control* c) {
        const auto [b, i] = place(id);
        if (b >= blocks_.size()) blocks_.resize(b + 1);
        if (!blocks_[b]) blocks_[b] = std::make_unique<Block>();
        blocks_[b]->entries[i] = c;
        ++blocks_[b]->live;
    }
    void remove(std::int32_t id, std::int32_t nextId) {
        const auto [b, i] = place(id);
        if (b >= blocks_.size() || !blocks_[b] || !blocks_[b]->entries[i]) return;
        blocks_[b]->entries[i] = nullptr;
        // A block still handing out identifiers stays even when empty.
        if (--blocks_[b]->live == 0 && place(nextId).first != b) blocks_[b].reset();
    }
    Control* find(std::int32_t id) const {
        if (id < kFirst) return nullptr;
        const auto [b, i] = place(id);
        return b < blocks_.size() && blocks_[b] ? blocks_[b]->entries[i] : nullptr;
    }

private:
    static constexpr std::size_t kBlock = 1024;
    struct Block {
        Control* entries[kBlock] = {};
        std::size_t live = 0;
    };
    static std::pair<std::size_t, std::size_t> place(std::int32_t id) {
        const auto n = static_cast<std::size_t>(id - kFirst);
        return {n / kBlock, n % kBlock};
    }
    std::vector<std::unique_ptr<Block>> blocks_;
};

Registry& registry() {
    static Registry r;
    return r;
}
std::int32_t g_nextId = Registry::kFirst;

} // namespace

std::int32_t RegisterControl(Control* c) {
    const std::int32_t id = g_nextId++;
    registry().add(id, c);
    return id;
}

void UnregisterControl(std::int32_t id) {
    registry().remove(id, g_nextId);
}

Control* Control::FromId(std::int32_t id) {
    return registry().find(id);
}

} // namespace qo
