#pragma once
// A menu as an item tree with process-wide command identifiers. Reading the menu text is the menu
// element's work; the tree is shown as a form's menu bar by FormControl::setMenu, and choosing an item
// sends WM_COMMAND (wParam: its identifier) to the form, highlighting sends WM_MENUSELECT.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qo {

class Control;
class FormControl;

enum class MenuItemKind : std::uint8_t { Normal, Separator, Check, Radio };

struct MenuItem {
    std::int32_t id = 0; // command identifier
    std::string text;    // Windows-1251; "&" marks the mnemonic
    MenuItemKind kind = MenuItemKind::Normal;
    int radioGroup = 0;
    bool checked = false;
    bool enabled = true;
    std::string hint;           // Windows-1251: shown over the item, e.g. why it is greyed
    bool hasSubmenu = false;    // true even while the submenu is empty
    MenuItem* parent = nullptr; // nullptr at the top level
    std::vector<std::unique_ptr<MenuItem>> children;
};

class Menu {
public:
    Menu();
    ~Menu(); // detaches itself from the form that shows it
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // Appends an item to `parent`'s submenu (top level when nullptr), giving it the next command
    // identifier of the process.
    MenuItem& add(MenuItem* parent, std::string_view text, MenuItemKind kind = MenuItemKind::Normal,
                  int radioGroup = 0, bool checked = false);
    // Marks `item` as opening a submenu (an empty one until children are added).
    void makeSubmenu(MenuItem& item);
    // Shows the items' marks, greying and hints as they now are.
    void refresh();

    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
    MenuItem* findById(std::int32_t id) const;
    FormControl* form() const { return form_; }

    // The next identifier the process will hand out (starts at 4096).
    static std::int32_t NextCommandId();

private:
    friend class Control;
    friend class FormControl;
    std::vector<std::unique_ptr<MenuItem>> items_;
    FormControl* form_ = nullptr;
};

} // namespace qo
