#include "widgets/layer/menu.h"

#include "widgets/layer/form_control.h"

namespace qo {
namespace {

std::int32_t g_nextCommandId = 4096;

MenuItem* Find(const std::vector<std::unique_ptr<MenuItem>>& items, std::int32_t id) {
    for (const auto& item : items) {
        if (item->id == id) return item.get();
        if (MenuItem* found = Find(item->children, id)) return found;
    }
    return nullptr;
}

} // namespace

Menu::Menu() = default;

Menu::~Menu() {
    if (form_) form_->setMenu(nullptr);
}

namespace {

std::unique_ptr<MenuItem> NewItem(MenuItem* parent, std::string_view text, MenuItemKind kind, int radioGroup,
                                  bool checked) {
    auto item = std::make_unique<MenuItem>();
    item->id = g_nextCommandId++;
    item->text = std::string(text);
    item->kind = kind;
    item->radioGroup = radioGroup;
    item->checked = checked;
    item->parent = parent;
    return item;
}

} // namespace

MenuItem& Menu::add(MenuItem* parent, std::string_view text, MenuItemKind kind, int radioGroup,
                    bool checked) {
    auto& list = parent ? parent->children : items_;
    if (parent) parent->hasSubmenu = true;
    list.push_back(NewItem(parent, text, kind, radioGroup, checked));
    return *list.back();
}

void Menu::makeSubmenu(MenuItem& item) {
    item.hasSubmenu = true;
}

void Menu::refresh() {
    if (form_) form_->setMenu(this);
}

MenuItem* Menu::findById(std::int32_t id) const {
    return Find(items_, id);
}

std::int32_t Menu::NextCommandId() {
    return g_nextCommandId;
}

} // namespace qo
