// Making controls: each kind with its window styles, default size and first state.
#include "runtime/link.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/registry.h"

namespace qo {
namespace {
Control* g_application = nullptr;

void* OwnerWindowForRuntime() {
    return OwnerControl();
}
} // namespace

std::uint32_t EditStylesFor(std::uint32_t options) {
    using namespace edit_option;
    std::uint32_t s = 0;
    const bool multi = options & MultiLine;
    if (!(options & NoHScroll)) s |= (multi ? WS_HSCROLL : 0) | ES_AUTOHSCROLL;
    if (!(options & NoVScroll)) s |= (multi ? WS_VSCROLL : 0) | ES_AUTOVSCROLL;
    if (options & LowerCase) s |= ES_LOWERCASE;
    if (multi) s |= ES_MULTILINE;
    if (options & NoHideSel) s |= ES_NOHIDESEL;
    if (options & OemConvert) s |= ES_OEMCONVERT;
    if (options & Password) s |= ES_PASSWORD;
    if (options & ReadOnly) s |= ES_READONLY;
    if (options & UpperCase) s |= ES_UPPERCASE;
    if (options & WantReturn) s |= ES_WANTRETURN;
    if (options & Number) s |= ES_NUMBER;
    return s;
}

Control* Control::CreateApplication() {
    auto* c = new Control(ControlKind::Application, nullptr);
    c->d().visible = false;
    c->d().text = "Form";
    g_application = c;
    SetOwnerWindowHook(&OwnerWindowForRuntime);
    return c;
}

Control* Control::CreateForm(Control* parent) {
    auto* c = new Control(ControlKind::Form, parent);
    auto& d = c->d();
    d.visible = false;
    d.text = "Form";
    d.style = WS_OVERLAPPEDWINDOW;
    d.clientEdge = true; // children with an edge start with it
    d.tabNavigates = false;
    d.bounds = {0, 0, 320, 240};
    return c;
}

Control* Control::CreateButton(Control* parent) {
    auto* c = new Control(ControlKind::Button, parent);
    auto& d = c->d();
    d.style = 0x50011000;
    d.text = "Push";
    d.bounds = {0, 0, 75, 25};
    d.hAlign = 2;
    if (parent) parent->d().exStyle |= WS_EX_CONTROLPARENT;
    RealiseLater(*c);
    return c;
}

Control* Control::CreateLabel(Control* parent) {
    auto* c = new Control(ControlKind::Label, parent);
    auto& d = c->d();
    d.style = 0x5000018C;
    d.text = "Push";
    d.bounds = {0, 0, 65, 17};
    d.vAlign = 1;
    RealiseLater(*c);
    return c;
}

Control* Control::CreatePanel(Control* parent, const PanelStyle& style) {
    auto* c = new Control(ControlKind::Panel, parent);
    auto& d = c->d();
    d.style = 0x5000018C;
    d.text.clear();
    d.bounds = {0, 0, 185, 41};
    d.rareW().panel = style;
    if (style.borderStyle == 1) {
        d.style |= WS_BORDER;
        d.exStyle |= WS_EX_CLIENTEDGE;
    }
    d.margin = (style.outerBevel ? style.bevelWidth : 0) + style.borderWidth +
               (style.innerBevel ? style.bevelWidth : 0);
    RealiseLater(*c);
    return c;
}

Control* Control::CreateEdit(Control* parent, std::uint32_t options) {
    const bool multi = options & edit_option::MultiLine;
    auto* c = new Control(multi ? ControlKind::Memo : ControlKind::Edit, parent);
    auto& d = c->d();
    d.editOptions = options;
    std::uint32_t extra = EditStylesFor(options);
    if (!multi) extra &= ~(WS_HSCROLL | WS_VSCROLL);
    d.style = 0x50810000 | extra;
    d.bounds = multi ? Rect{0, 0, 185, 89} : Rect{0, 0, 121, 21};
    d.tabNavigates = !(options & edit_option::KeepTab);
    d.cursor = 0;
    if (parent && parent->d().clientEdge) {
        d.clientEdge = true;
        d.exStyle |= WS_EX_CLIENTEDGE;
        d.style &= ~WS_BORDER;
    }
    RealiseLater(*c);
    return c;
}

Control* Control::CreateScrollBox(Control* parent, int borderStyle) {
    auto* c = new Control(ControlKind::ScrollBox, parent);
    auto& d = c->d();
    d.style = 0x50000000 | (borderStyle == 0 ? WS_DLGFRAME : 0);
    d.bounds = {0, 0, 185, 41};
    if (borderStyle == 1 && parent && parent->d().clientEdge) {
        d.clientEdge = true;
        d.exStyle |= WS_EX_CLIENTEDGE;
    }
    RealiseLater(*c);
    return c;
}

Control* ApplicationObject() {
    return g_application;
}
void ClearApplicationObject() {
    g_application = nullptr;
}

} // namespace qo
