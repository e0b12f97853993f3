// The scroll box: ranges from the children's bounding box, bars that appear when the content
// outgrows the box, and the scroll requests. Children keep their content coordinates; the layer
// moves the content as a whole.
#include "widgets/layer/scroll_view.h"
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/next_turn.h"
#include "widgets/layer/realise.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_box_control.h"
#include <QApplication>
#include <algorithm>

namespace qo {
namespace {

constexpr int kLineStep = 16;

// The part of the content, in content coordinates, within `pages` pages of the view.
Rect ViewWindow(const ControlPrivate& box, int pages) {
    const int w = std::max(box.rare().hScroll.page, 1), h = std::max(box.rare().vScroll.page, 1);
    return Rect{box.rare().hScroll.pos - pages * w, box.rare().vScroll.pos - pages * h, (2 * pages + 1) * w,
                (2 * pages + 1) * h};
}

bool Overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// Widgets are made within one page of the view and kept until two pages away, so that scrolling
// back and forth by a page does not make and destroy the same widgets again.
constexpr int kMakePages = 1;
constexpr int kKeepPages = 2;

} // namespace

bool HoldsFocus(const Control& c) {
    QWidget* w = c.d().widget;
    QWidget* f = QApplication::focusWidget();
    if (w && f && (f == w || w->isAncestorOf(f))) return true;
    const Control* form = const_cast<Control&>(c).form();
    for (const Control* k = form ? form->d().rare().focused : nullptr; k; k = k->d().parent) {
        if (k == &c) return true;
    }
    return false;
}

bool NearView(const Control& child) {
    const ControlPrivate* box = child.d().parent ? &child.d().parent->d() : nullptr;
    if (!box || box->kind != ControlKind::ScrollBox) return true;
    return Overlaps(child.d().bounds, ViewWindow(*box, kMakePages));
}

void SyncViewportNow(Control& box) {
    auto& d = box.d();
    if (d.kind != ControlKind::ScrollBox || !d.widget || d.destroying) return;
    // A widget made here may report its geometry back and bring us here again: that pass is
    // folded into this one.
    static bool syncing = false;
    static bool again = false;
    if (syncing) {
        again = true;
        return;
    }
    syncing = true;
    const LifeToken alive = Life(box);
    do {
        again = false;
        const Rect make = ViewWindow(d, kMakePages);
        const Rect keep = ViewWindow(d, kKeepPages);
        const ChildList::Snapshot kids = d.children.snapshot();
        for (Control* child : kids.controls) {
            if (alive.expired() || !d.widget) break;
            if (d.children.lost(kids, child)) continue;
            const Rect& b = child->d().bounds;
            if (child->d().widget) {
                if (!Overlaps(b, keep) && !HoldsFocus(*child)) ReleaseWidgetLater(*child);
            } else if (Overlaps(b, make)) {
                Realise(*child);
            }
        }
    } while (again && !alive.expired());
    syncing = false;
}

void RealiseView(Control& box) {
    auto& d = box.d();
    if (d.kind != ControlKind::ScrollBox || !d.widget || d.destroying) return;
    const Rect view = ViewWindow(d, 0);
    const ChildList::Snapshot kids = d.children.snapshot();
    for (Control* child : kids.controls) {
        if (!d.widget || d.children.removedSince(kids)) break; // a removal: the next sync finishes
        if (!child->d().widget && Overlaps(child->d().bounds, view)) Realise(*child);
    }
}

void UpdateScrollRanges(Control& box) {
    auto& d = box.d();
    if (d.kind != ControlKind::ScrollBox || d.destroying) return;
    int extW = 0, extH = 0;
    for (Control* child : d.children) {
        const auto& cd = child->d();
        if (!cd.visible) continue;
        extW = std::max(extW, cd.bounds.right());
        extH = std::max(extH, cd.bounds.bottom());
    }
    const int inset = NonClientInset(box);
    const int innerW = d.bounds.width - 2 * inset;
    const int innerH = d.bounds.height - 2 * inset;
    const int sb = ScrollBarExtent();
    bool v = false, h = false;
    // A bar that appears narrows the other direction; two rounds settle it.
    for (int i = 0; i < 3; ++i) {
        const bool nv = extH > innerH - (h ? sb : 0);
        const bool nh = extW > innerW - (nv ? sb : 0);
        if (nv == v && nh == h) break;
        v = nv;
        h = nh;
    }
    const int cw = std::max(0, innerW - (v ? sb : 0));
    const int ch = std::max(0, innerH - (h ? sb : 0));
    const bool barsChanged = v != d.rare().vBar || h != d.rare().hBar;
    RareState& r = d.rareW();
    r.extentWidth = extW;
    r.extentHeight = extH;
    r.vBar = v;
    r.hBar = h;
    d.style = (d.style & ~(WS_VSCROLL | WS_HSCROLL)) | (v ? WS_VSCROLL : 0) | (h ? WS_HSCROLL : 0);
    r.vScroll.min = 0;
    r.vScroll.max = std::max(0, extH - ch);
    r.vScroll.page = ch;
    r.vScroll.pos = ClampScroll(r.vScroll.pos, r.vScroll);
    r.hScroll.min = 0;
    r.hScroll.max = std::max(0, extW - cw);
    r.hScroll.page = cw;
    r.hScroll.pos = ClampScroll(r.hScroll.pos, r.hScroll);
    ApplyScrollBars(box);
    // The client area changed size: aligned children follow (this comes back here once).
    static int depth = 0;
    if (barsChanged && d.layoutDepth == 0 && depth < 2) {
        ++depth;
        LayoutChildren(box);
        --depth;
    }
}

bool HandleScrollRequest(Control& box, bool vertical, int code, int track) {
    auto& d = box.d();
    // A move up that reaches the top reaches it however the rows lie (the range starts at 0); any
    // other move needs the range as it is.
    const ScrollInfo& stale = vertical ? d.rare().vScroll : d.rare().hScroll;
    const bool toTop = code == SB_TOP || (code == SB_LINEUP && stale.pos <= kLineStep) ||
                       (code == SB_PAGEUP && stale.pos <= std::max(stale.page, 1));
    if (!toTop) SettleOwnLayout(d);
    ScrollInfo& s = vertical ? d.rareW().vScroll : d.rareW().hScroll;
    int pos = s.pos;
    switch (code) {
    case SB_LINEUP:
        pos -= kLineStep;
        break;
    case SB_LINEDOWN:
        pos += kLineStep;
        break;
    case SB_PAGEUP:
        pos -= std::max(s.page, 1);
        break;
    case SB_PAGEDOWN:
        pos += std::max(s.page, 1);
        break;
    case SB_THUMBTRACK:
        pos = track;
        break;
    case SB_TOP:
        pos = s.min;
        break;
    case SB_BOTTOM:
        pos = s.max;
        break;
    default:
        break;
    }
    pos = ClampScroll(pos, s);
    if (pos == s.pos) return false;
    s.pos = pos;
    ApplyScrollBars(box);
    RealiseView(box); // the frame after a scroll shows what it should, not an empty strip
    return true;
}

void ScrollIntoView(Control& c) {
    Rect r = c.bounds(); // in the coordinates of the control's parent, walking outwards
    for (Control* p = c.d().parent; p && p->kind() != ControlKind::Form; p = p->d().parent) {
        auto& pd = p->d();
        if (auto* box = As<ScrollBoxControl>(p)) {
            const ScrollInfo v = box->scrollInfo(true), h = box->scrollInfo(false);
            auto shown = [](int from, int length, const ScrollInfo& s) {
                if (from + length > s.pos + s.page) return from + length - s.page;
                return std::min(s.pos, from);
            };
            box->setScrollPosition(true, std::min(shown(r.top, r.height, v), r.top));
            box->setScrollPosition(false, std::min(shown(r.left, r.width, h), r.left));
            // From here out the box stands where it stands, whatever it shows inside.
            r = p->bounds();
            continue;
        }
        const Rect pb = p->bounds();
        const int inset =
            (pd.kind == ControlKind::Panel || pd.kind == ControlKind::Label) ? NonClientInset(*p) : 0;
        r.left += pb.left + inset;
        r.top += pb.top + inset;
    }
}

} // namespace qo
