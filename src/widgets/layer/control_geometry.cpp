// Bounds, client area and the aligned-children layout rule.
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_text.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_view.h"
#include <algorithm>

namespace qo {
namespace {

void NotifySize(Control& c) {
    auto& d = c.d();
    const LifeToken alive = Life(c);
    const Rect cr = c.clientRect();
    std::uintptr_t kind = SIZE_RESTORED;
    if (d.kind == ControlKind::Form)
        kind = d.rare().windowState == 1 ? SIZE_MINIMIZED : d.rare().windowState == 2 ? SIZE_MAXIMIZED : 0;
    Message m{WM_SIZE, kind, MakeLong(cr.width, cr.height), 0};
    Deliver(c, m);
    if (!alive.expired()) CallHandler(d.on().onResize);
}

} // namespace

void SetBoundsInternal(Control& c, const Rect& wanted, bool fromWidget) {
    auto& d = c.d();
    Rect r = wanted;
    r.width = std::max(0, r.width);
    r.height = std::max(0, r.height);
    const Rect old = d.bounds;
    if (r == old) return;
    d.bounds = r;
    if (!fromWidget) ApplyGeometry(c);
    const bool sized = old.width != r.width || old.height != r.height;
    const bool moved = old.left != r.left || old.top != r.top;
    const LifeToken alive = Life(c);
    if (sized) {
        if (d.kind == ControlKind::Memo) InvalidateLines(c);
        LayoutChildren(c);
        if (alive.expired()) return;
        NotifySize(c);
        if (alive.expired()) return;
    }
    if (moved) {
        Message m{WM_MOVE, 0, MakeLong(r.left, r.top), 0};
        Deliver(c, m);
        if (alive.expired()) return;
    }
    if (d.parent && d.kind != ControlKind::Form) ChildChanged(*d.parent, c);
}

void ChildChanged(Control& parent, Control& child) {
    auto& pd = parent.d();
    if (pd.layoutDepth > 0 || pd.destroying) return;
    if (IsLongList(pd)) {
        LayoutLater(parent);
    } else if (child.align() != alNone) {
        LayoutChildren(parent);
    } else if (pd.kind == ControlKind::ScrollBox) {
        UpdateScrollRanges(parent);
    }
}

void LayoutChildren(Control& c) {
    auto& d = c.d();
    d.layoutPending = false;
    if (d.destroying) return;
    if (d.children.empty()) {
        if (d.kind == ControlKind::ScrollBox) UpdateScrollRanges(c);
        return;
    }
    const Rect cr = c.clientRect();
    int left = cr.left, top = cr.top, right = cr.right(), bottom = cr.bottom();
    const int m = d.margin;
    ++d.layoutDepth;
    // A handler run by a resize may add or remove children.
    const ChildList::Snapshot kids = d.children.snapshot();
    const LifeToken alive = Life(c);
    // Which passes have work: a long list of top-aligned children needs one walk, not three.
    unsigned passes = 0;
    for (Control* child : kids.controls) {
        const auto& cd = child->d();
        if (!cd.visible || cd.align == alNone) continue;
        passes |= (cd.align == alTop || cd.align == alBottom)   ? 1u
                  : (cd.align == alLeft || cd.align == alRight) ? 2u
                                                                : 4u;
    }
    for (int pass = 0; pass < 3 && !alive.expired(); ++pass) {
        if (!(passes & (1u << pass))) continue;
        bool ranHandlers = false; // only a child that moved ran code that could end this one
        for (Control* child : kids.controls) {
            if (ranHandlers && alive.expired()) break;
            if (d.children.lost(kids, child)) continue;
            const auto& cd = child->d();
            const int a = cd.align;
            if (!cd.visible || a == alNone) continue;
            const bool mine = pass == 0   ? (a == alTop || a == alBottom)
                              : pass == 1 ? (a == alLeft || a == alRight)
                                          : a == alClient;
            if (!mine) continue;
            Rect r = cd.bounds;
            switch (a) {
            case alTop:
                r = {left + m, top + m, right - left - 2 * m, r.height};
                top += m + r.height;
                break;
            case alBottom:
                r = {left + m, bottom - m - r.height, right - left - 2 * m, r.height};
                bottom -= m + r.height;
                break;
            case alLeft:
                r = {left + m, top + m, r.width, bottom - top - 2 * m};
                left += m + r.width;
                break;
            case alRight:
                r = {right - m - r.width, top + m, r.width, bottom - top - 2 * m};
                right -= m + r.width;
                break;
            case alClient:
                r = {left + m, top + m, right - left - 2 * m, bottom - top - 2 * m};
                break;
            default:
                break;
            }
            if (Rect{r.left, r.top, std::max(0, r.width), std::max(0, r.height)} == cd.bounds) continue;
            SetBoundsInternal(*child, r, false);
            ranHandlers = true;
        }
    }
    if (alive.expired()) return;
    --d.layoutDepth;
    if (d.kind == ControlKind::ScrollBox) UpdateScrollRanges(c);
}

void Control::setPosition(int left, int top) {
    Rect r = d_->bounds;
    r.left = left;
    r.top = top;
    SetBoundsInternal(*this, r, false);
}

void Control::setSize(int width, int height) {
    Rect r = d_->bounds;
    if (width != 0) r.width = width;
    if (height != 0) r.height = height;
    SetBoundsInternal(*this, r, false);
}

void Control::setBounds(int left, int top, int width, int height) {
    SetBoundsInternal(*this, Rect{left, top, width, height}, false);
}

Rect Control::bounds() const {
    SettleParentLayout(*d_);
    if (d_->fitPending) SettleFit(d_->self());
    return d_->bounds;
}
int Control::left() const {
    return bounds().left;
}
int Control::top() const {
    return bounds().top;
}
int Control::width() const {
    return bounds().width;
}
int Control::height() const {
    return bounds().height;
}

Rect Control::clientRect() const {
    const auto& d = *d_;
    SettleOwnLayout(d); // the bars a scroll box shows follow its children
    if (d.kind == ControlKind::Form) {
        int ew = 0, eh = 0;
        FormDecorations(*this, ew, eh);
        return Rect{0, 0, std::max(0, d.bounds.width - ew), std::max(0, d.bounds.height - eh)};
    }
    const int inset = NonClientInset(*this);
    int w = d.bounds.width - 2 * inset;
    int h = d.bounds.height - 2 * inset;
    if (d.kind == ControlKind::ScrollBox) {
        if (d.rare().vBar) w -= ScrollBarExtent();
        if (d.rare().hBar) h -= ScrollBarExtent();
    }
    return Rect{0, 0, std::max(0, w), std::max(0, h)};
}

void Control::setClientSize(int width, int height) {
    const Rect cr = clientRect();
    const Rect b = d_->bounds;
    setSize(width + (b.width - cr.width), height + (b.height - cr.height));
}

void Control::setAlign(int align) {
    auto& d = *d_;
    if (d.align == align) return;
    d.align = align;
    if (!d.parent) return;
    if (IsLongList(d.parent->d()))
        LayoutLater(*d.parent);
    else
        LayoutChildren(*d.parent);
}

int Control::align() const {
    return d_->align;
}

void Control::setMargin(int margin) {
    if (d_->margin == margin) return;
    d_->margin = margin;
    LayoutChildren(*this);
}

int Control::margin() const {
    return d_->margin;
}
void Control::realign() {
    LayoutChildren(*this);
}

} // namespace qo
