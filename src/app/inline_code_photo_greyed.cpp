// The program built without reading pictures (no OpenCV where it was built, as in the Windows
// build): the item stays in the menu, greyed, and says why.
#include "app/inline_code_photo.h"

#include "runtime/cp1251.h"
#include "widgets/layer/menu.h"
#include "widgets/menu_element.h"

namespace lotto {

void TQOInlineCode_Photo::Attach(qo::TQOMenu& menu, qo::Control* window) {
    window_ = window;
    qo::MenuItem* item = menu.FindItem(menuItem);
    if (!item) return;
    item->enabled = false;
    item->hint = Problem();
    if (menu.menu()) menu.menu()->refresh();
}

std::string TQOInlineCode_Photo::Problem() {
    return qo::Cp1251("Эта сборка программы не читает билеты с фото: она собрана без библиотеки "
                      "распознавания снимков (OpenCV). Билеты можно набрать вручную.");
}

void TQOInlineCode_Photo::Choose(qo::TData&, std::uint16_t) {}

void TQOInlineCode_Photo::AddTickets(const std::vector<std::array<int, 54>>&) {}

} // namespace lotto
