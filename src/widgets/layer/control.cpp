// A Control's life: the one heap block it shares with its state, its identity and place in the
// tree, destruction in the order the elements count on, and the handlers elements install.
#include "widgets/layer/control.h"

#include "widgets/layer/apply.h"
#include "widgets/layer/change_notice.h"
#include "widgets/layer/button_control.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/forms.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/label_control.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/panel_control.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_box_control.h"
#include "widgets/layer/scroll_view.h"

namespace qo {

#if defined(__GLIBCXX__) && defined(__x86_64__)
// A cell is one 192-byte heap block (184 bytes asked, 8 of malloc's own); a field more costs a
// thousand tickets another megabyte.
static_assert(kPrivateOffset + sizeof(ControlPrivate) <= 184, "a control no longer fits one 192-byte block");
#endif

void* Control::operator new(std::size_t) {
    return ::operator new(kPrivateOffset + sizeof(ControlPrivate)); // the Control lies within the offset
}
void Control::operator delete(void* p) {
    ::operator delete(p);
}
void Control::DestroyInPlace::operator()(ControlPrivate* d) const {
    d->~ControlPrivate();
}

Control::Control(ControlKind kind, Control* parent)
    : d_(::new (reinterpret_cast<char*>(this) + kPrivateOffset) ControlPrivate()) {
    auto& d = *d_;
    d.kind = kind;
    d.parent = parent;
    d.id = RegisterControl(this);
    if (parent) {
        auto& p = parent->d();
        d.color = p.color;
        d.font = p.font;
        d.tabPosition = static_cast<int>(p.children.size());
        p.children.push_back(this);
    } else {
        d.color = clBtnFace;
        d.font = InternFont(FontDesc{});
    }
}

void Control::destroy() {
    // Deleted as what it was made: each kind is made by its view (in ControlKind's order).
    static constexpr void (*kDelete[])(Control*) = {
        &DeleteAs<ApplicationControl>, &DeleteAs<FormControl>,     &DeleteAs<ButtonControl>,
        &DeleteAs<LabelControl>,       &DeleteAs<PanelControl>,    &DeleteAs<EditControl>,
        &DeleteAs<EditControl>,        &DeleteAs<ScrollBoxControl>};
    static_assert(std::size(kDelete) == static_cast<std::size_t>(ControlKind::ScrollBox) + 1);
    NoteContentChange(*this, ContentChange::Gone);
    kDelete[static_cast<std::size_t>(d_->kind)](this);
}

Control::~Control() {
    auto& d = *d_;
    d.destroying = true;
    ForgetFit(*this);
    const bool parentGoing = d.parent && d.parent->d().destroying;
    // NOTE: hide first, then the owner's handler, then the children: the owner saves what it keeps
    // while everything below still exists, and each child's owner forgets its control in turn.
    d.visible = false;
    if (!parentGoing) ApplyVisible(*this); // below a parent that goes, the parent's hiding does it
    if (d.onDestroyed) {
        auto h = std::move(d.onDestroyed);
        d.onDestroyed = nullptr;
        DeliveryScope scope;
        h();
    }
    while (!d.children.empty())
        d.children.back()->destroy();
    if (d.rare().menu) {
        d.rare().menu->form_ = nullptr;
        d.rareW().menu = nullptr;
    }
    if (auto* form = As<FormControl>(this)) ForgetForm(*form);
    if (this == ApplicationObject()) ClearApplicationObject();
    ReleaseWidget(*this, parentGoing);
    UnregisterControl(d.id); // from here on, life tokens of this control have expired
    // A form remembers its focused control however deep it lies, and may outlive it.
    for (Control* f = d.parent; f; f = f->d().parent) {
        if (f->d().rare().focused == this) f->d().rareW().focused = nullptr;
    }
    if (d.parent) {
        d.parent->d().children.remove(this);
        if (!parentGoing) {
            auto& pd = d.parent->d();
            if (IsLongList(pd)) {
                LayoutLater(*d.parent); // a list cleared row by row closes its gaps once
            } else {
                if (d.align != 0) LayoutChildren(*d.parent);
                if (pd.kind == ControlKind::ScrollBox) UpdateScrollRanges(*d.parent);
            }
        }
    }
}

ControlKind Control::kind() const {
    return d_->kind;
}
Control* Control::parent() const {
    return d_->parent;
}
const std::vector<Control*>& Control::children() const {
    return d_->children.all();
}

FormControl* Control::form() {
    Control* c = this;
    while (c && c->d_->kind != ControlKind::Form)
        c = c->d_->parent;
    return static_cast<FormControl*>(c);
}

std::int32_t Control::id() const {
    return d_->id;
}
std::int32_t Control::handle() {
    Realise(*this);
    return d_->id;
}
void Control::setOwner(void* element) {
    if (element || d_->attached()) d_->attachedW().owner = element;
}
void* Control::owner() const {
    return d_->attached() ? d_->attached()->owner : nullptr;
}
bool Control::hasWindow() const {
    return d_->widget != nullptr;
}
QWidget* Control::widget() {
    return Realise(*this);
}

// ---- Events.

void Control::setOnMouseDown(MouseHandler h) {
    d_->onW().onMouseDown = std::move(h);
}
void Control::setOnMouseUp(MouseHandler h) {
    d_->onW().onMouseUp = std::move(h);
}
void Control::setOnMouseMove(MouseHandler h) {
    d_->onW().onMouseMove = std::move(h);
    if (d_->widget) ApplyStyles(*this);
}
void Control::setOnDoubleClick(MouseHandler h) {
    d_->onW().onDoubleClick = std::move(h);
}
void Control::setOnMouseWheel(MouseHandler h) {
    d_->onW().onMouseWheel = std::move(h);
}
void Control::setOnKeyDown(KeyHandler h) {
    d_->onW().onKeyDown = std::move(h);
}
void Control::setOnKeyUp(KeyHandler h) {
    d_->onW().onKeyUp = std::move(h);
}
void Control::setOnChar(CharHandler h) {
    d_->onW().onChar = std::move(h);
}
void Control::setOnClick(NotifyHandler h) {
    d_->onW().onClick = std::move(h);
}
void Control::setOnChange(NotifyHandler h) {
    d_->onW().onChange = std::move(h);
}
void Control::setOnResize(NotifyHandler h) {
    d_->onW().onResize = std::move(h);
}
void Control::setOnShow(NotifyHandler h) {
    d_->onW().onShow = std::move(h);
}
void Control::setOnDestroyed(DestroyedHandler h) {
    d_->onDestroyed = std::move(h);
}
void Control::setOnPaint(PaintHandler h) {
    d_->onW().onPaint = std::move(h);
}

} // namespace qo
