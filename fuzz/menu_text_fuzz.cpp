// The menu-text grammar, built on a real (offscreen) form as the main window does. Any text builds
// a menu whose items are numbered depth-first; every item found by its number has that number,
// and choosing a command, by identifier or through the toolkit's action, fires its number and
// then its own text.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/link.h"
#include "widgets/layer/control.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/messages.h"
#include "widgets/menu_element.h"

#include "fuzz_check.h"

namespace {

struct Chosen {
    std::vector<std::int32_t> numbers;
    std::vector<std::string> texts;
    void Number(qo::TData& d, std::uint16_t) { numbers.push_back(qo::ToInteger(d)); }
    void Text(qo::TData& d, std::uint16_t) { texts.push_back(qo::ToText(d)); }
};

// Actions of the bar and its submenus, in the order the toolkit holds them; a bounded number, as
// each trigger goes the whole way through the layer.
void CollectActions(const QList<QAction*>& actions, std::vector<QAction*>& out) {
    for (QAction* a : actions) {
        if (out.size() >= 64) return;
        out.push_back(a);
        if (QMenu* sub = a->menu()) CollectActions(sub->actions(), out);
    }
}

qo::FormControl* form = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QApplication(*argc, *argv); // lives as long as the process
    qo::EnableDispatch();
    form = qo::FormControl::Create(nullptr);
    form->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    {
        qo::TQOMenu menu(form);
        Chosen chosen;
        menu.onChoose = qo::Link<&Chosen::Number>(chosen);
        menu.onChooseText = qo::Link<&Chosen::Text>(chosen);
        menu.SetText(text);

        const auto& texts = menu.itemTexts();
        FUZZ_CHECK(text.empty() == (menu.menu() == nullptr));
        FUZZ_CHECK(form->menu() == menu.menu());
        for (std::size_t n = 0; n < texts.size(); ++n) {
            const qo::MenuItem* item = menu.FindItem(static_cast<std::int64_t>(n));
            FUZZ_CHECK(item != nullptr);
            FUZZ_CHECK(menu.NumberOf(item) == static_cast<int>(n));
            FUZZ_CHECK(item->text == texts[n]);
            FUZZ_CHECK(item->text.find('\r') == std::string::npos);
            FUZZ_CHECK(item->hasSubmenu || item->children.empty());
            // By identifier, as a menu command arrives. A command's high word is 0 or 1, so an
            // identifier past 0x1FFFF is no command: identifiers grow for the whole process, and a
            // long run, building a menu per input, gets there after some 127 000 items.
            if (n % 7 == 0 && !item->hasSubmenu && item->kind != qo::MenuItemKind::Separator) {
                const std::size_t before = chosen.numbers.size();
                form->send(qo::WM_COMMAND, static_cast<std::uintptr_t>(item->id));
                if ((static_cast<std::uint32_t>(item->id) >> 16) > 1) {
                    FUZZ_CHECK(chosen.numbers.size() == before && chosen.texts.size() == before);
                    continue;
                }
                FUZZ_CHECK(chosen.numbers.size() == before + 1 && chosen.texts.size() == before + 1);
                FUZZ_CHECK(chosen.numbers.back() == static_cast<std::int32_t>(n));
                FUZZ_CHECK(chosen.texts.back() == texts[n]);
            }
        }
        if (texts.size() < 4096)
            FUZZ_CHECK(menu.FindItem(static_cast<std::int64_t>(texts.size())) == nullptr);

        // Through the toolkit: every chosen command names an item whose text came with it.
        std::vector<QAction*> actions;
        for (QMenuBar* bar : form->widget()->findChildren<QMenuBar*>()) {
            if (bar->isVisible()) CollectActions(bar->actions(), actions);
        }
        chosen.numbers.clear();
        chosen.texts.clear();
        for (QAction* a : actions) {
            a->hover();
            if (!a->menu() && a->isEnabled()) a->trigger();
        }
        FUZZ_CHECK(chosen.numbers.size() == chosen.texts.size());
        for (std::size_t i = 0; i < chosen.numbers.size(); ++i) {
            const std::int32_t n = chosen.numbers[i];
            FUZZ_CHECK(n >= 0 && static_cast<std::size_t>(n) < texts.size());
            FUZZ_CHECK(chosen.texts[i] == texts[static_cast<std::size_t>(n)]);
        }
    }
    // The replaced menu bars go on the toolkit's deferred deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
