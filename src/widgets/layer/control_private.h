#pragma once
// Inside of Control: its state, and the few functions that push state into a realised widget.
// Only the layer's own sources include this file.
#include "widgets/layer/control.h"
#include <QIcon>
#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>
class QPainter;
#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <vector>

namespace qo {

// One laid-out line of an edit's text: where it starts in the QString and how long it is.
struct LineSpan {
    int start = 0;
    int length = 0;
};

// What a screen reader is told about a control, beyond what its kind says by itself.
struct AccessibleState {
    std::string name;
    std::string description;
    Control::NameSource source;     // the control's name, made when asked
    Control::ChildNames childNames; // for children without a name of their own
};

// What few controls need: forms, scroll boxes, panels and multi-line text. Kept apart so that a
// list of thousands of cells pays only for what a cell uses.
struct RareState {
    // Forms.
    int windowState = 0;
    int opacity = 255;
    std::unique_ptr<QIcon> icon;
    Menu* menu = nullptr;
    int modalResult = 0;
    bool wasShown = false;
    bool applyingGeometry = false;
    QMargins frame;             // the window frame last seen round a form
    Control* focused = nullptr; // the control last focused
    // Forms and scroll boxes: where child windows go, when not in the widget itself.
    QPointer<QWidget> client;

    // Panels.
    PanelStyle panel;

    // Scroll boxes.
    ScrollInfo vScroll;
    ScrollInfo hScroll;
    bool vBar = false;
    bool hBar = false;
    int extentWidth = 0; // right and bottom edges of the shown children, as last laid out
    int extentHeight = 0;

    // Edits: the text as laid out in lines.
    int firstLine = 0;
    bool linesValid = false;
    QString qtext;               // text with '\n' breaks, as the box holds it
    std::vector<LineSpan> lines; // as the box shows them
};

// Handlers an element installs; a bare cell has none.
struct HandlerSet {
    Control::MessageHandler rawHandler;
    Control::MouseHandler onMouseDown, onMouseUp, onMouseMove, onDoubleClick, onMouseWheel;
    Control::KeyHandler onKeyDown, onKeyUp;
    Control::CharHandler onChar;
    Control::NotifyHandler onClick, onChange, onResize, onShow;
    Control::PaintHandler onPaint;
};

// Calls a handler, if one is set, through a copy: the handler may replace itself or end its
// control while it runs. False when there is none.
template <class H, class... A> bool CallHandler(const H& handler, A&&... args) {
    if (!handler) return false;
    const H h = handler;
    h(std::forward<A>(args)...);
    return true;
}

// What elements attach to a control: their handlers, the element that owns it, what a screen
// reader is told beyond what its kind says. A bare cell has none of it.
struct Attachments {
    HandlerSet on;
    bool handled = false; // some handler was installed
    void* owner = nullptr;
    std::unique_ptr<AccessibleState> accessible;
};

// The children of a control, in creation order. A leaf, which most controls are, pays one pointer.
class ChildList {
public:
    const std::vector<Control*>& all() const { return list_ ? list_->controls : kNone; }
    operator const std::vector<Control*>&() const { return all(); } // NOLINT: reads as the vector
    auto begin() const { return all().begin(); }
    auto end() const { return all().end(); }
    bool empty() const { return all().empty(); }
    std::size_t size() const { return all().size(); }
    Control* back() const { return all().back(); }
    void push_back(Control* c) {
        if (!list_) list_ = std::make_unique<List>();
        list_->controls.push_back(c);
    }
    void remove(Control* c) {
        if (!list_) return;
        auto& v = list_->controls;
        v.erase(std::remove(v.begin(), v.end(), c), v.end());
        ++list_->removed;
    }

    // A copy to walk while handlers run that may add or remove children. Removals are counted, so
    // a long list is searched for a child only once something was removed since the copy.
    struct Snapshot {
        std::vector<Control*> controls;
        std::uint32_t removed = 0;
    };
    Snapshot snapshot() const { return {all(), removed()}; }
    bool removedSince(const Snapshot& s) const { return removed() != s.removed; }
    bool lost(const Snapshot& s, const Control* c) const {
        return removedSince(s) && std::find(begin(), end(), c) == end();
    }

private:
    std::uint32_t removed() const { return list_ ? list_->removed : 0; }
    struct List {
        std::vector<Control*> controls;
        std::uint32_t removed = 0;
    };
    std::unique_ptr<List> list_;
    static const std::vector<Control*> kNone;
};

// Lives in the same heap block as its Control, right after it (see Control::operator new).
struct ControlPrivate {
    Control* parent = nullptr;
    ChildList children;
    std::string text;
    Rect bounds;
    const FontDesc* font = nullptr; // shared: see InternFont
    std::int32_t id = 0;
    Color color = clBtnFace;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int32_t tabPosition = 0;
    std::uint32_t editOptions = 0;
    std::int32_t limit = 0;
    std::int32_t selStart = 0;
    std::int32_t selEnd = 0;
    std::int16_t margin = 0;
    std::int16_t layoutDepth = 0; // >0 while this control lays its children out
    std::int8_t align = 0;
    std::int8_t cursor = 0;
    std::int8_t hAlign = 0;
    std::int8_t vAlign = 0;
    ControlKind kind = ControlKind::Form;
    bool visible : 1 = true;
    bool enabled : 1 = true;
    bool transparent : 1 = false;
    bool autoSize : 1 = false;
    bool clientEdge : 1 = false; // last asked 3D-edge state
    bool focusable : 1 = true;
    bool tabNavigates : 1 = true;
    bool keyboardNavigation : 1 = false;
    bool settingText : 1 = false; // a change made by the layer itself
    bool destroying : 1 = false;
    bool layoutPending : 1 = false; // a long list waits to lay its children out (LayoutLater)

    // Realisation: the window, once it exists.
    QPointer<QWidget> widget;
    Control::DestroyedHandler onDestroyed;

    Control& self() const; // the Control this state belongs to
    // Where child windows go: the widget itself, except for forms and scroll boxes.
    QWidget* client() const { return rare_ && rare_->client ? rare_->client.data() : widget.data(); }

    // Reading finds defaults where nothing was set; writing makes the part first.
    const RareState& rare() const { return rare_ ? *rare_ : kNoRare; }
    RareState& rareW() const {
        if (!rare_) rare_ = std::make_unique<RareState>();
        return *rare_;
    }
    const HandlerSet& on() const { return attached_ ? attached_->on : kNoHandlers; }
    HandlerSet& onW() {
        attachedW().handled = true;
        return attached_->on;
    }
    const Attachments* attached() const { return attached_.get(); }
    Attachments& attachedW() {
        if (!attached_) attached_ = std::make_unique<Attachments>();
        return *attached_;
    }
    const AccessibleState* accessible() const { return attached_ ? attached_->accessible.get() : nullptr; }

    bool isEdit() const { return kind == ControlKind::Edit || kind == ControlKind::Memo; }
    bool isTopLevel() const { return kind == ControlKind::Form; }
    bool listened() const { return attached_ && attached_->handled; } // some element installed a handler

private:
    mutable std::unique_ptr<RareState> rare_; // mutable: laying out lines is a cache
    std::unique_ptr<Attachments> attached_;
    static const RareState kNoRare;
    static const HandlerSet kNoHandlers;
};

// Where a ControlPrivate starts in its Control's heap block.
inline constexpr std::size_t kPrivateOffset =
    (sizeof(Control) + alignof(ControlPrivate) - 1) / alignof(ControlPrivate) * alignof(ControlPrivate);

inline Control& ControlPrivate::self() const {
    return *std::launder(reinterpret_cast<Control*>(
        reinterpret_cast<char*>(const_cast<ControlPrivate*>(this)) - kPrivateOffset));
}

// One shared copy of each font in use: thousands of cells share a handful of fonts.
const FontDesc* InternFont(const FontDesc& desc);

// Identifiers are never reused: a control lives exactly while its identifier finds it.
struct LifeToken {
    std::int32_t id = 0;
    bool expired() const { return Control::FromId(id) == nullptr; }
};
inline LifeToken Life(const Control& c) {
    return LifeToken{c.d().id};
}

// ---- Implemented in widgets.cpp: the toolkit side.
QWidget* Realise(Control& c);
void ApplyGeometry(Control& c);
void ApplyPalette(Control& c);
void ApplyFont(Control& c);
void ApplyText(Control& c);
void ApplyVisible(Control& c);
void ApplyEnabled(Control& c);
void ApplyStyles(Control& c);
void ApplyCursor(Control& c);
void ApplyAlignment(Control& c);
void ApplyMenu(Control& c);
void ApplyScrollBars(Control& c);
void ApplyFirstLine(Control& c);
void ApplyWindowState(Control& c);
void ApplyOpacity(Control& c);
void ApplyIcon(Control& c);
// ---- Implemented in accessibility.cpp.
void ApplyAccessibility(Control& c);
void AccessibleTextChanged(Control& c); // a name made when asked may say the text
// Lets go of the widget: cuts its link back to the control and deletes it (later when an event
// is being delivered). `parentGoing`: a parent widget is deleted anyway, only cut the link.
void ReleaseWidget(Control& c, bool parentGoing);
// Lets go of the widget and deletes it at the next turn of the loop, whatever is being delivered.
void ReleaseWidgetLater(Control& c);
// Frame thickness the window draws around its client area.
int NonClientInset(const Control& c);
// Extra outer size of a realised form over its client area (frame and menu bar).
void FormDecorations(const Control& c, int& extraWidth, int& extraHeight);
int ScrollBarExtent();
int EditFrameWidth(const Control& c);

// ---- Implemented in control_geometry.cpp.
void LayoutChildren(Control& c);
void ChildChanged(Control& parent, Control& child, bool sizeOrPlace); // a child moved, resized, showed
void SetBoundsInternal(Control& c, const Rect& r, bool fromWidget);

// ---- Implemented in scroll_box.cpp.
void UpdateScrollRanges(Control& box);
// Only what a scroll box shows, or is about to show, has widgets: true when `child` of a scroll
// box lies within a page of the box's view (children of other controls always do).
bool NearView(const Control& child);
// Gives widgets to the children of a realised scroll box that came near its view and takes them
// from those that went well out of it (state stays in the controls; focus keeps its widget).
// SyncViewport does it at the next turn of the loop, once however often it is asked: a list that
// grows by a thousand children in one go makes widgets only for where it ends up.
void SyncViewport(Control& box);
void SyncViewportNow(Control& box);
// Lays the children out at the next turn of the loop, once however often it is asked.
void LayoutLater(Control& box);
// A layout put off by LayoutLater is never seen: whatever reads where a child lies, or the box's
// scroll range, or moves the view, settles it first. The layer's own bookkeeping (which rows get
// widgets) reads the raw state instead, so adding a thousand rows still lays out once.
void SettleLayout(const Control& box);
inline void SettleParentLayout(const ControlPrivate& d) {
    if (d.parent && d.parent->d().layoutPending) SettleLayout(*d.parent);
}
inline void SettleOwnLayout(const ControlPrivate& d) {
    if (d.layoutPending) SettleLayout(d.self());
}
// A scroll box with more children than a screen holds settles once per turn of the loop, however
// many of its rows were added, changed or removed meanwhile: each change would walk all of them.
inline bool IsLongList(const ControlPrivate& box) {
    return box.kind == ControlKind::ScrollBox && box.children.size() > 64;
}
// Realises at once the children of a realised scroll box that its view shows now (after a scroll).
void RealiseView(Control& box);
// Scrolls every scroll box round `c` as little as it takes to show it whole (or its top-left part,
// when it is larger than the view).
void ScrollIntoView(Control& c);

// A one-line edit no element listens to, on a panel, is drawn by the panel until it is needed as
// an editor (focus, a click, typing), and goes back to being drawn when the focus leaves it: a
// ticket's 54 cells cost one paint, not 54 widgets. A screen reader gets real widgets throughout.
bool PaintedByParent(const Control& c);
// Draws the edits a panel widget paints for its children, within `area` (widget coordinates).
void PaintChildEdits(QPainter& p, const Control& panel, const QRect& area);
// The painted edit under `pos` (panel widget coordinates), or nullptr.
Control* PaintedEditAt(const Control& panel, const QPoint& pos);
// Asks the parent's widget to draw a painted edit again.
void UpdatePainted(const Control& c);
// An editor that lost the focus goes back to being painted at the next turn of the loop.
void ReleaseEditorLater(Control& c);
// True when the keyboard focus, or the control its form remembers as focused, lies in `c`.
bool HoldsFocus(const Control& c);
bool HandleScrollRequest(Control& box, bool vertical, int code, int track);

// ---- Implemented in control_edit.cpp.
void EnsureLines(const Control& c);
void InvalidateLines(const Control& c);
QString EditDisplayText(std::string_view cp1251); // CR LF / CR become '\n'
std::string EditStoredText(const QString& shown); // '\n' becomes CR LF
void TextChangedByUser(Control& c, const QString& shown);

// ---- Implemented in control_appearance.cpp.
// Gives `c` the keyboard focus; the reason is the toolkit's (Tab and Shift+Tab show a focus frame).
void FocusControl(Control& c, Qt::FocusReason reason);

// ---- Implemented in control_form.cpp.
void NavigateTab(Control& form, bool backward);
void FormActivated(Control& form, bool active);
void FormClosing(Control& form); // WM_CLOSE reached default processing
void ForgetForm(Control& form);
void SetLoopMainForm(Control* form);

// ---- Implemented in control.cpp.
// Runs the raw handler chain only; true when consumed.
bool Deliver(Control& c, Message& m);
// Counts event deliveries in progress, so widgets are not deleted under their own events.
struct DeliveryScope {
    DeliveryScope();
    ~DeliveryScope();
    static bool active();
};

// ---- Implemented in fault.cpp.
// Tells the user, in one message box, of the fault being caught (call it from a catch block):
// what was being done (`whatUtf8`, with the caption of the control `controlId` when it has one)
// and why. `userAct`: the user asked for it (a click, a key, a command), so every such fault is
// told; a fault of an event that comes back by itself (painting, moving) is told once.
void ReportFault(const char* whatUtf8, std::int32_t controlId, bool userAct) noexcept;

// Runs what the toolkit delivered. The toolkit cannot carry an exception through its event loop,
// so a fault that escapes a handler ends here: the user is told and the program goes on.
template <class F> void Guarded(const char* whatUtf8, std::int32_t controlId, bool userAct, F&& f) noexcept {
    try {
        f();
    } catch (...) {
        ReportFault(whatUtf8, controlId, userAct);
    }
}
// What an event is, for the user, and whether the user asked for it.
const char* EventWhat(int qtEventType, bool& userAct);

} // namespace qo
