#pragma once
// What a Control holds: its state, kept in the same heap block as the Control (see
// Control::operator new), with what few controls need kept apart. State only: what is done with
// it lives in the files named after each concern. Only the layer's own sources include this file.
#include "widgets/layer/control.h"
#include <QIcon>
#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <algorithm>
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
    std::string toolTip;
    Control::NameSource toolTipSource; // the tip, made when asked
    Color mark = kNoMark; // a frame drawn inside the border, over the fill: few controls carry one
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
    QMargins frame;                     // the window frame last seen round a form
    QMargins normalFrame;               // ... and the last seen while it was neither maximised nor minimised
    bool placedByWindowManager = false; // the form has been maximised or minimised since shown
    // A state (1 minimised, 2 maximised) asked before the window manager first framed the form:
    // it is taken once the window is framed and exposed, with the asked rectangle applied first.
    int stateOnceFramed = 0;
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
    // Not valid, yet `qtext` and the lines before this place are: text was added at the end, and
    // only its last paragraph is laid out again. -1: everything is.
    int linesFrom = -1;
    QString qtext;               // text with '\n' breaks, as the box holds it
    std::vector<LineSpan> lines; // as the box shows them
    // Edits: what the element does with pasted text, and commands of its own in the context menu.
    SmallFunction<bool(const std::string&)> onPaste; // EditControl::PasteHandler
    std::vector<std::pair<std::string, Control::NotifyHandler>> contextCommands;
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
    bool fitPending : 1 = false; // sized by its text, not measured yet (see FitToText)
    bool clientEdge : 1 = false; // last asked 3D-edge state
    bool focusable : 1 = true;
    bool tabNavigates : 1 = true;
    bool keyboardNavigation : 1 = false;
    bool tabItems : 1 = false;    // each child keeps a tab order of its own (see NavigateTab)
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

} // namespace qo
