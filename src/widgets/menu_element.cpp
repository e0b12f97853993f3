#include "widgets/menu_element.h"

#include <algorithm>
#include <functional>

#include "widgets/layer/form_control.h"
#include "widgets/layer/menu.h"
#include "widgets/main_form.h"

namespace qo {

namespace {

// Lines end at CR; an LF right after a CR belongs to the same break, and a final break adds no
// empty line.
std::vector<std::string> SplitMenuLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

class MenuBuilder {
public:
    MenuBuilder(Menu& menu, const std::vector<std::string>& lines) : menu_(menu), lines_(lines) {}

    void Build() { Level(nullptr, 0); }

private:
    // Reads the items of one level; returns at its ")" or when the whole menu ends.
    void Level(MenuItem* parent, int depth) {
        MenuItem* previous = nullptr; // the last item of this level
        bool afterItem = false;       // the line just read was an item line
        while (pos_ < lines_.size() && !ended_) {
            const std::string& line = lines_[pos_];
            if (line.empty()) {
                ended_ = true;
                return;
            }
            if (line == ")") {
                ++pos_;
                if (depth == 0) ended_ = true;
                return;
            }
            if (line == "(" && afterItem) {
                ++pos_;
                menu_.makeSubmenu(*previous);
                Level(previous, depth + 1);
                afterItem = false;
                continue;
            }
            previous = &Item(parent, line, previous);
            afterItem = true;
            ++pos_;
        }
    }

    MenuItem& Item(MenuItem* parent, const std::string& line, const MenuItem* previous) {
        if (line == "-") return menu_.add(parent, line, MenuItemKind::Separator);
        if (line[0] != '-' && line[0] != '+') return menu_.add(parent, line);
        const bool checked = line[0] == '+';
        if (line.size() > 1 && line[1] == '!') {
            int group = previous && previous->radioGroup > 0 ? previous->radioGroup : 1;
            std::size_t textStart = 2;
            if (line.size() > 2 && line[2] == '!') {
                ++group;
                textStart = 3;
            }
            return menu_.add(parent, std::string_view(line).substr(textStart), MenuItemKind::Radio, group,
                             checked);
        }
        return menu_.add(parent, std::string_view(line).substr(1), MenuItemKind::Check, 0, checked);
    }

    Menu& menu_;
    const std::vector<std::string>& lines_;
    std::size_t pos_ = 0;
    bool ended_ = false;
};

// Visits the items depth-first, parents before their children, until `visit` answers true: the
// order the items are numbered in.
bool Walk(const std::vector<std::unique_ptr<MenuItem>>& items, int& number,
          const std::function<bool(MenuItem&, int)>& visit) {
    for (const auto& item : items) {
        if (visit(*item, number++)) return true;
        if (Walk(item->children, number, visit)) return true;
    }
    return false;
}

} // namespace

TQOMenu::TQOMenu(Control* formWindow)
    : formWindow_(As<FormControl>(formWindow)), formId_(formWindow_ ? formWindow_->id() : 0) {
    if (!formWindow_) return;
    previous_ = formWindow_->setMessageHandler([this](Message& m) { return HandleMessage(m); });
}

TQOMenu::TQOMenu(TQOMainForm& form) : TQOMenu(form.control()) {}

TQOMenu::~TQOMenu() {
    // The form usually outlives its menu: hand its message slot back to the handler we wrapped.
    if (formWindow_ && Control::FromId(formId_) == formWindow_) {
        if (menu_ && formWindow_->menu() == menu_.get()) formWindow_->setMenu(nullptr);
        formWindow_->setMessageHandler(std::move(previous_));
    }
}

void TQOMenu::SetText(std::string_view text) {
    const bool alive = formWindow_ && Control::FromId(formId_) == formWindow_;
    if (alive && menu_ && formWindow_->menu() == menu_.get()) formWindow_->setMenu(nullptr);
    menu_.reset();
    itemTexts_.clear();
    if (text.empty()) return;

    menu_ = std::make_unique<Menu>();
    const std::vector<std::string> lines = SplitMenuLines(text);
    MenuBuilder(*menu_, lines).Build();
    KeepTexts();
    if (alive) formWindow_->setMenu(menu_.get());
}

void TQOMenu::KeepTexts() {
    itemTexts_.clear();
    int number = 0;
    Walk(menu_->items(), number, [this](MenuItem& item, int) {
        itemTexts_.push_back(item.text);
        return false;
    });
}

int TQOMenu::AppendText(std::string_view text) {
    if (!menu_) return -1;
    const int first = static_cast<int>(itemTexts_.size());
    const std::vector<std::string> lines = SplitMenuLines(text);
    MenuBuilder(*menu_, lines).Build();
    KeepTexts();
    if (formWindow_ && Control::FromId(formId_) == formWindow_ && formWindow_->menu() == menu_.get())
        formWindow_->setMenu(menu_.get());
    return static_cast<int>(itemTexts_.size()) > first ? first : -1;
}

int TQOMenu::NumberOfText(std::string_view text) const {
    const auto found = std::find(itemTexts_.begin(), itemTexts_.end(), text);
    return found == itemTexts_.end() ? -1 : static_cast<int>(found - itemTexts_.begin());
}

void TQOMenu::SetChecked(int itemNumber, bool checked) {
    MenuItem* item = FindItem(itemNumber);
    if (!item || item->hasSubmenu || item->kind == MenuItemKind::Separator) return;
    if (item->kind == MenuItemKind::Check && item->checked == checked) return;
    item->kind = MenuItemKind::Check;
    item->checked = checked;
    // The bar is built from the items: shown again, it shows the mark.
    if (formWindow_ && Control::FromId(formId_) == formWindow_ && formWindow_->menu() == menu_.get())
        formWindow_->setMenu(menu_.get());
}

MenuItem* TQOMenu::FindItem(std::int64_t value) const {
    if (!menu_) return nullptr;
    MenuItem* found = nullptr;
    int number = 0;
    Walk(menu_->items(), number, [&](MenuItem& item, int n) {
        if (value == n || (value >= 4096 && value == item.id)) {
            found = &item;
            return true;
        }
        return false;
    });
    return found;
}

int TQOMenu::NumberOf(const MenuItem* item) const {
    if (!menu_ || !item) return -1;
    int result = -1;
    int number = 0;
    Walk(menu_->items(), number, [&](MenuItem& candidate, int n) {
        if (&candidate != item) return false;
        result = n;
        return true;
    });
    return result;
}

bool TQOMenu::HandleMessage(Message& m) {
    if (m.msg == WM_COMMAND && m.lParam == 0 && HighWord(static_cast<std::intptr_t>(m.wParam)) <= 1) {
        if (const MenuItem* item = FindItem(static_cast<std::int64_t>(m.wParam))) {
            const int number = NumberOf(item);
            FireInteger(onChoose, number);
            // Looked up again by number: the chosen item's handlers may have rebuilt the menu.
            if (const MenuItem* again = FindItem(number)) FireString(onChooseText, again->text);
        }
    } else if (m.msg == WM_MENUSELECT) {
        FireInteger(onHighlight, static_cast<std::int32_t>(m.wParam & 0xFF));
    }
    // The menu never swallows a message.
    return previous_ ? previous_(m) : false;
}

} // namespace qo
