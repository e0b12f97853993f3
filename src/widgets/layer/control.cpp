#include "widgets/layer/control.h"

#include "runtime/link.h"
#include "widgets/layer/control_private.h"
#include "widgets/layer/menu.h"
#include "widgets/layer/message_loop.h"
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace qo {
namespace {

// Identifiers are handed out in order and never reused, so a table indexed by them needs no hashing:
// it is kept in blocks, and a block whose controls are all gone is given back.
class Registry {
public:
    static constexpr std::int32_t kFirst = 0x10000;

    void add(std::int32_t id, Control* c) {
        const auto [b, i] = place(id);
        if (b >= blocks_.size()) blocks_.resize(b + 1);
        if (!blocks_[b]) blocks_[b] = std::make_unique<Block>();
        blocks_[b]->entries[i] = c;
        ++blocks_[b]->live;
    }
    void remove(std::int32_t id, std::int32_t nextId) {
        const auto [b, i] = place(id);
        if (b >= blocks_.size() || !blocks_[b] || !blocks_[b]->entries[i]) return;
        blocks_[b]->entries[i] = nullptr;
        // A block still handing out identifiers stays even when empty.
        if (--blocks_[b]->live == 0 && place(nextId).first != b) blocks_[b].reset();
    }
    Control* find(std::int32_t id) const {
        if (id < kFirst) return nullptr;
        const auto [b, i] = place(id);
        return b < blocks_.size() && blocks_[b] ? blocks_[b]->entries[i] : nullptr;
    }

private:
    static constexpr std::size_t kBlock = 1024;
    struct Block {
        Control* entries[kBlock] = {};
        std::size_t live = 0;
    };
    static std::pair<std::size_t, std::size_t> place(std::int32_t id) {
        const auto n = static_cast<std::size_t>(id - kFirst);
        return {n / kBlock, n % kBlock};
    }
    std::vector<std::unique_ptr<Block>> blocks_;
};

Registry& registry() {
    static Registry r;
    return r;
}
std::int32_t g_nextId = Registry::kFirst;
int g_deliveryDepth = 0;
Control* g_application = nullptr;

void* OwnerWindowForRuntime() {
    return OwnerControl();
}

} // namespace

DeliveryScope::DeliveryScope() {
    ++g_deliveryDepth;
}
DeliveryScope::~DeliveryScope() {
    --g_deliveryDepth;
}
bool DeliveryScope::active() {
    return g_deliveryDepth > 0;
}

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
    d.id = g_nextId++;
    registry().add(d.id, this);
    if (parent) {
        auto& p = parent->d();
        d.color = p.color;
        d.font = p.font;
        d.tabPosition = static_cast<int>(p.children.size());
        p.children.push_back(this);
    } else {
        d.color = 0x8000000Fu;
        d.font = InternFont(FontDesc{});
    }
}

const RareState ControlPrivate::kNoRare;
const HandlerSet ControlPrivate::kNoHandlers;
const std::vector<Control*> ChildList::kNone;

const FontDesc* InternFont(const FontDesc& desc) {
    static std::vector<std::unique_ptr<const FontDesc>> fonts;
    for (const auto& f : fonts) {
        if (*f == desc) return f.get();
    }
    fonts.push_back(std::make_unique<const FontDesc>(desc));
    return fonts.back().get();
}

namespace {

std::vector<std::int32_t> g_pendingRealise;
std::vector<std::int32_t> g_pendingSync;
std::vector<std::int32_t> g_pendingLayout;
bool g_flushPosted = false;

// What a queue holds now; what handling it adds waits for the next turn.
std::vector<std::int32_t> Take(std::vector<std::int32_t>& queue) {
    std::vector<std::int32_t> ids = std::move(queue);
    queue.clear();
    return ids;
}

void FlushRealise() {
    g_flushPosted = false;
    // Lists settle first, so that widgets are made only where the rows finally lie.
    for (std::int32_t id : Take(g_pendingLayout)) {
        Control* box = Control::FromId(id);
        if (box && box->d().layoutPending) LayoutChildren(*box);
    }
    for (std::int32_t id : Take(g_pendingRealise)) {
        // A parent that lost its widget meanwhile (scrolled far away) brings its children along
        // when it gets one again.
        Control* c = Control::FromId(id);
        if (c && !c->hasWindow() && c->parent() && c->parent()->hasWindow() && NearView(*c) &&
            !PaintedByParent(*c))
            Realise(*c);
    }
    for (std::int32_t id : Take(g_pendingSync)) {
        if (Control* box = Control::FromId(id)) SyncViewportNow(*box);
    }
}

void PostFlush() {
    if (g_flushPosted || !qApp) return;
    g_flushPosted = true;
    QTimer::singleShot(0, qApp, [] { Guarded("создание окон", 0, false, &FlushRealise); });
}

// Asks for `c` at the next turn of the loop, once however often it is asked.
void Queue(std::vector<std::int32_t>& queue, const Control& c) {
    if (std::find(queue.begin(), queue.end(), c.id()) == queue.end()) queue.push_back(c.id());
    PostFlush();
}

} // namespace

void LayoutLater(Control& box) {
    if (box.d().layoutPending) return;
    box.d().layoutPending = true;
    Queue(g_pendingLayout, box);
}

void SettleLayout(const Control& box) {
    // The queue keeps its entry: the next turn finds nothing left to do for it.
    auto& c = const_cast<Control&>(box); // laying out is what reading the settled state implies
    if (c.d().layoutPending) LayoutChildren(c);
}

void SyncViewport(Control& box) {
    Queue(g_pendingSync, box);
}

static Control* Finish(Control* c) {
    // A child of a realised window gets its widget at the next turn of the loop (or sooner, when
    // something needs it), so the element's settings right after creation cost no widget work.
    Control* p = c->parent();
    if (p && p->hasWindow() && c->kind() != ControlKind::Form && NearView(*c)) {
        g_pendingRealise.push_back(c->id()); // once: a control is finished once
        PostFlush();
    }
    return c;
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
    return Finish(c);
}

Control* Control::CreateLabel(Control* parent) {
    auto* c = new Control(ControlKind::Label, parent);
    auto& d = c->d();
    d.style = 0x5000018C;
    d.text = "Push";
    d.bounds = {0, 0, 65, 17};
    d.vAlign = 1;
    return Finish(c);
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
    return Finish(c);
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
    return Finish(c);
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
    return Finish(c);
}

void Control::destroy() {
    delete this;
}

Control::~Control() {
    auto& d = *d_;
    d.destroying = true;
    const bool parentGoing = d.parent && d.parent->d().destroying;
    // NOTE: hide first, then the owner's handler, then the children: the owner saves what it keeps
    // while everything below still exists, and each child's owner forgets its control in turn.
    d.visible = false;
    if (!parentGoing) ApplyVisible(*this); // below a parent that goes, the parent's hiding does it
    if (d.onDestroyed) {
        auto h = std::move(d.onDestroyed);
        d.onDestroyed = nullptr;
        h();
    }
    while (!d.children.empty())
        delete d.children.back();
    if (d.rare().menu) {
        d.rare().menu->form_ = nullptr;
        d.rareW().menu = nullptr;
    }
    if (d.kind == ControlKind::Form) ForgetForm(*this);
    if (this == g_application) g_application = nullptr;
    ReleaseWidget(*this, parentGoing);
    registry().remove(d.id, g_nextId); // from here on, life tokens of this control have expired
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

Control* Control::form() {
    Control* c = this;
    while (c && c->d_->kind != ControlKind::Form)
        c = c->d_->parent;
    return c;
}

std::int32_t Control::id() const {
    return d_->id;
}
std::int32_t Control::handle() {
    Realise(*this);
    return d_->id;
}
Control* Control::FromId(std::int32_t id) {
    return registry().find(id);
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

// ---- Messages.

bool Deliver(Control& c, Message& m) {
    if (!c.d().on().rawHandler) return false;
    auto h = c.d().on().rawHandler; // the chain may replace itself while it runs
    return h(m);
}

Control::MessageHandler Control::setMessageHandler(MessageHandler handler) {
    MessageHandler& slot = d_->onW().rawHandler;
    MessageHandler previous = std::move(slot);
    slot = std::move(handler);
    return previous;
}

std::intptr_t Control::send(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    Message m{msg, wParam, lParam, 0};
    const LifeToken alive = Life(*this);
    if (Deliver(*this, m)) return m.result;
    if (alive.expired()) return 0;
    auto& d = *d_;
    switch (msg) {
    case WM_SIZE:
        LayoutChildren(*this);
        repaint();
        return 0;
    case WM_CLOSE:
        if (d.kind == ControlKind::Form) FormClosing(*this);
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_DRAGMOVE && d.widget && d.widget->windowHandle()) {
            d.widget->windowHandle()->startSystemMove();
        }
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
        const bool vertical = msg == WM_VSCROLL;
        if (d.kind == ControlKind::ScrollBox) {
            HandleScrollRequest(*this, vertical, LowWord(wParam), HighWord(wParam));
        } else if (d.kind == ControlKind::Memo && vertical) {
            const int code = LowWord(wParam);
            if (code == SB_LINEUP) scrollLines(-1);
            if (code == SB_LINEDOWN) scrollLines(1);
            if (code == SB_TOP) scrollLines(-lineCount());
            if (code == SB_BOTTOM) scrollLines(lineCount());
        }
        return 0;
    }
    case EM_LINESCROLL:
        if (d.kind == ControlKind::Memo) scrollLines(static_cast<int>(lParam));
        return d.kind == ControlKind::Memo ? 1 : 0;
    case EM_GETFIRSTVISIBLELINE:
        return firstVisibleLine();
    case EM_GETLINECOUNT:
        return lineCount();
    case EM_GETSEL: {
        const int start = caret();
        return MakeLong(start, d.selEnd);
    }
    case EM_SETSEL:
        setSelection(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case EM_LIMITTEXT:
        limitText(static_cast<int>(wParam));
        return 0;
    case EM_REPLACESEL:
        if (lParam) replaceSelection(reinterpret_cast<const char*>(lParam));
        return 0;
    case WM_SETTEXT:
        setText(lParam ? std::string_view(reinterpret_cast<const char*>(lParam)) : std::string_view());
        return 1;
    case WM_GETTEXTLENGTH:
        return static_cast<std::intptr_t>(d.text.size());
    default:
        return 0;
    }
}

void Control::post(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    const std::int32_t target = d_->id;
    QTimer::singleShot(0, qApp, [target, msg, wParam, lParam] {
        DeliveryScope scope;
        Guarded("отложенное сообщение окну", 0, false, [&] {
            if (Control* c = Control::FromId(target)) c->send(msg, wParam, lParam);
        });
    });
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

// ---- The application object.

Control* ApplicationObject() {
    return g_application;
}
void ClearApplicationObject() {
    g_application = nullptr;
}

} // namespace qo
