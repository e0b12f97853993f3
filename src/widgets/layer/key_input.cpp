// Keys: the form's Tab filter, then WM_KEYDOWN, the key-down handler, WM_CHAR for each typed
// character and the character handler, then the edit's own filters. What code a key has is
// key_codes.cpp's.
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/focus.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/forms.h"
#include "widgets/layer/input_routing.h"
#include "widgets/layer/key_codes.h"
#include "widgets/layer/keyboard_state.h"
#include "widgets/layer/registry.h"
#include <QGuiApplication>
#include <QKeyEvent>
#include <optional>
#include <string>
#include <utility>

namespace qo {

// The characters of a key press (or of text an input method commits), each as WM_CHAR and then
// through the character handler and the edit's own filters (digits only, letter case), in
// Windows-1251 as the program holds its texts. When nothing was changed or held back the toolkit
// types the text itself (false); otherwise what came through is typed here and the event is used
// up (true), so that a character the code page lacks shows as the '?' the program stores.
bool RouteTypedText(Control& c, const QString& text) {
    auto& d = c.d();
    const LifeToken alive = Life(c);
    std::string typed;
    bool changed = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int ch = Cp1251FromChar(text.at(i).unicode());
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        if (ch < 0) {
            ch = '?';
            changed = true;
        }
        const int original = ch;
        Message chr{WM_CHAR, static_cast<std::uintptr_t>(ch), 0, 0};
        if (Deliver(c, chr) || alive.expired()) return true;
        CallHandler(d.on().onChar, ch);
        if (alive.expired()) return true;
        if (ch != original) changed = true;
        if (ch <= 0 || ch > 255) {
            changed = true;
            continue;
        }
        if (d.isEdit() && ch >= 32) {
            if ((d.style & ES_NUMBER) && !(ch >= '0' && ch <= '9')) {
                changed = true;
                continue;
            }
            QChar q(CharFromCp1251(static_cast<unsigned char>(ch)));
            if (d.style & ES_UPPERCASE) q = q.toUpper();
            if (d.style & ES_LOWERCASE) q = q.toLower();
            const int cased = Cp1251FromChar(q.unicode());
            if (cased >= 0 && cased != ch) {
                ch = cased;
                changed = true;
            }
        }
        typed.push_back(static_cast<char>(ch));
    }
    if (!changed) return false;
    if (d.isEdit() && !(d.style & ES_READONLY)) {
        // Control characters a handler left standing are keys (Backspace, Return), not text.
        std::erase_if(typed, [](char k) { return static_cast<unsigned char>(k) < 32 && k != '\t'; });
        if (!typed.empty()) static_cast<EditControl&>(c).replaceSelection(typed);
    }
    return true;
}

// A typed key, in the order the messages of a key press arrive: the form's Tab filter, WM_KEYDOWN
// (raw chain, then the key-down handler), WM_CHAR (raw chain, then the character handler), then
// the control's own filters (digits only, letter case). True when the key is used up.
namespace {

// The modifiers of the key being delivered; none outside a delivery.
std::optional<Qt::KeyboardModifiers> g_deliveredModifiers;

} // namespace

bool KeyHeld(int virtualKey) {
    const Qt::KeyboardModifiers mods =
        g_deliveredModifiers ? *g_deliveredModifiers : QGuiApplication::queryKeyboardModifiers();
    switch (virtualKey) {
    case VK_SHIFT:
        return mods & Qt::ShiftModifier;
    case VK_CONTROL:
        return mods & Qt::ControlModifier;
    case VK_MENU:
        return mods & Qt::AltModifier;
    default:
        return false;
    }
}

bool RouteKeyPress(Control& c, QWidget& w, QKeyEvent* e) {
    auto& d = c.d();
    // Put back as it was: a handler may open a modal loop that delivers other keys.
    const auto outer = std::exchange(g_deliveredModifiers, e->modifiers());
    struct Restore {
        std::optional<Qt::KeyboardModifiers> value;
        ~Restore() { g_deliveredModifiers = value; }
    } restore{outer};
    const LifeToken alive = Life(c);
    int key = VirtualKeyCode(*e);
    const int shift = KeyFlags(Qt::NoButton, e->modifiers());
    const bool tab = e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
    if (RoutePaste(c, e)) return true;
    if (tab && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        FormControl* form = c.form();
        if (form && form->keyboardNavigation() && d.tabNavigates) {
            NavigateTab(*form, e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    // F10 is a system key, as Alt with a key is.
    const bool f10 = key == VK_F10 && !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    const bool system = (e->modifiers() & Qt::AltModifier) || f10;
    Message down{static_cast<std::uint32_t>(system ? WM_SYSKEYDOWN : WM_KEYDOWN),
                 static_cast<std::uintptr_t>(key), 0, 0};
    if (Deliver(c, down) || alive.expired()) return true;
    if (CallHandler(d.on().onKeyDown, key, shift) && (alive.expired() || key == 0)) return true;
    if (f10 && !(e->modifiers() & Qt::AltModifier)) {
        if (FormControl* form = c.form(); form && EnterMenuBar(*form)) return true;
    }
    // Alt with a key that is no menu key makes a system character, which types nothing: the
    // number box would otherwise undo the letter by bringing back the number called last. Ctrl
    // with Alt is AltGr on Windows, which types the layout's third characters.
    const bool systemCharacter =
        (e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier);
    if (systemCharacter && !e->text().isEmpty()) return true;
    if (!e->text().isEmpty() && RouteTypedText(c, e->text())) return true;
    if (tab) {
        // Without the form's navigation Tab moves nothing; only a memo that keeps Tab types it.
        return !(d.kind == ControlKind::Memo && !d.tabNavigates);
    }
    (void)w;
    return false;
}

bool RouteKeyRelease(Control& c, QKeyEvent* e) {
    auto& d = c.d();
    const LifeToken alive = Life(c);
    int key = VirtualKeyCode(*e);
    Message up{static_cast<std::uint32_t>((e->modifiers() & Qt::AltModifier) ? WM_SYSKEYUP : WM_KEYUP),
               static_cast<std::uintptr_t>(key), 0, 0};
    if (Deliver(c, up) || alive.expired()) return true;
    if (CallHandler(d.on().onKeyUp, key, KeyFlags(Qt::NoButton, e->modifiers())) &&
        (alive.expired() || key == 0))
        return true;
    return false;
}

} // namespace qo
