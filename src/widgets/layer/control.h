#pragma once
// Control: the layer's object behind one window of the program. It keeps the window's whole state
// (bounds, alignment, text, colours, font, styles, tab order ...) and realises it as a toolkit
// widget on first need; everything about how the widget is made and kept in step is left inside.
// Control holds what every kind of window has; what only some kinds can do is in the kind's view
// (ButtonControl, LabelControl, PanelControl, EditControl, ScrollBoxControl, FormControl,
// ApplicationControl), which also makes controls of that kind. One state block serves them all.
//
// How an element uses a Control:
//   - Create it with its view's Create under a parent Control. The element owns it: its
//     destructor calls `destroy()` when the pointer is still set.
//   - Install a destroyed handler that forgets the pointer. A Control also goes when its parent
//     goes: it hides, runs its destroyed handler (once), destroys its own children (each runs its
//     handler the same way), and only then loses its window. Both orders are therefore safe:
//         control_->setOnDestroyed([this] { /* save what must be kept */ control_ = nullptr; });
//         ~Element() { if (control_) control_->destroy(); }
//   - Set properties with the setters; read them back with the getters. Reads never touch the
//     widget. Values set before the widget exists are applied when it is made.
//   - Receive events through the setOn* callbacks, and raw messages (Win32 numbers, messages.h)
//     through the handler chain: setMessageHandler returns the handler it replaces; call it for
//     what you do not consume. A consumed message stops; otherwise default processing follows.
//   - Reach what only a kind can do through As<View>(control) (nullptr for another kind).
//   - Nothing outside the layer touches the widget; widget() exists for the layer and tests.
//
// A Control may be destroyed from inside one of its own handlers (a ticket deleting itself from its
// own button): every call into an element runs inside the layer's delivery scope (delivery.h),
// the layer checks after every callback whether its Control still lives, and it defers deleting a
// widget whose event is still being delivered.
#include "widgets/layer/colors.h"
#include "widgets/layer/font_desc.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/small_function.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace qo {

class Canvas;
class Menu;
struct ControlPrivate;
class FormControl;
class ApplicationControl;

enum class ControlKind : std::uint8_t { Application, Form, Button, Label, Panel, Edit, Memo, ScrollBox };

// Alignment of a child within its parent's free area.
enum Align : int { alNone = 0, alLeft = 1, alTop = 2, alRight = 3, alBottom = 4, alClient = 5 };

// The record of a mouse event: button 1 left, 2 right, 3 middle, 0 for a move; key flags MK_*
// (+MK_ALT); position packed x in the low, y in the high 16 bits, in client coordinates.
struct MouseEvent {
    std::int32_t button = 0;
    std::int32_t keys = 0;
    std::int32_t position = 0;
    int x() const { return static_cast<std::int16_t>(position & 0xFFFF); }
    int y() const { return static_cast<std::int16_t>((position >> 16) & 0xFFFF); }
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

struct TextExtent {
    int width = 0, height = 0;
};

// The look of a painted panel. Bevel kinds: 0 none, 1 lowered, 2 raised.
struct PanelStyle {
    int outerBevel = 0;
    int innerBevel = 0;
    int bevelWidth = 1;
    int borderStyle = 0; // 1 adds WS_BORDER and WS_EX_CLIENTEDGE
    int borderWidth = 0;
};

// A scroll bar's state: positions run from min to max; page is the visible part.
struct ScrollInfo {
    int min = 0, max = 0, page = 0, pos = 0;
};

class Control {
public:
    // Handlers take any callable; one that captures no more than a pointer (two for the destroyed
    // handler) is kept without a heap block.
    using MouseHandler = SmallFunction<void(const MouseEvent&)>;
    // The handler may set `key` to 0 to consume the key; `shift` holds MK_SHIFT, MK_CONTROL, MK_ALT.
    using KeyHandler = SmallFunction<void(int& key, int shift)>;
    // The character in Windows-1251 (0–255); setting it to 0 consumes it, another value replaces it.
    using CharHandler = SmallFunction<void(int& ch)>;
    using NotifyHandler = SmallFunction<void()>;
    // An element's destroyed handler often names the slot that held the control: `this` and an index.
    using DestroyedHandler = SmallFunction<void(), 2 * sizeof(void*)>;
    // Returns true when the message is consumed.
    using MessageHandler = SmallFunction<bool(Message&)>;
    using PaintHandler = SmallFunction<void(Canvas&)>;
    // Spoken names made when asked (see setAccessibleNameSource); a source often says whose: `this`
    // and a word.
    using NameSource = SmallFunction<std::string(), 2 * sizeof(void*)>;
    using ChildNames = SmallFunction<std::string(const Control& child)>;

    // Hides, runs the destroyed handler, destroys the children, then the window and the object.
    void destroy();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // ---- Identity and tree.
    ControlKind kind() const;
    Control* parent() const;
    const std::vector<Control*>& children() const; // creation order
    FormControl* form();                           // the top-level form this control is on (or itself)
    // A 32-bit number that stands for the control in integer values (never 0, never reused).
    std::int32_t id() const;
    // The same number, after making sure the window exists (the window-handle point).
    std::int32_t handle();
    static Control* FromId(std::int32_t id); // nullptr once the control is gone
    void setOwner(void* element);
    void* owner() const;
    bool hasWindow() const;
    QWidget* widget(); // realises; for the layer and tests only

    // ---- Geometry (parent's client coordinates; a form's are the outer window rectangle).
    void setPosition(int left, int top);
    void setSize(int width, int height); // 0 keeps that dimension
    void setBounds(int left, int top, int width, int height);
    Rect bounds() const;
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    Rect clientRect() const; // origin 0,0: the area children live in
    void setClientSize(int width, int height);
    void setAlign(int align);
    int align() const;
    void setMargin(int margin); // what aligned children keep from the edges
    int margin() const;
    void realign(); // lays the aligned children out again

    // ---- Appearance.
    void setColor(Color color);
    Color color() const;
    void setFont(const FontDesc& font);
    const FontDesc& font() const;
    void setFontColor(Color color);
    void setFontStyle(std::uint8_t style);
    void setFontFace(std::string_view face);
    void setFontHeight(int height);
    void setFontCharset(std::uint8_t charset);
    void copyParentFont();
    // Text in Windows-1251. A memo keeps CR LF line breaks. Setting a one-line edit's text reports
    // a change; setting a memo's does not.
    void setText(std::string_view text);
    const std::string& text() const;
    void setVisible(bool visible);
    bool visible() const;
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    bool showing() const; // visible with all its parents
    void setEnabled(bool enabled);
    bool enabled() const;
    // The 3D edge: on sets WS_EX_CLIENTEDGE and clears WS_BORDER; off does the reverse when the
    // control had the edge. Asking for the state last asked changes nothing.
    void setClientEdge(bool on);
    bool clientEdge() const;
    void setStyle(std::uint32_t style);
    std::uint32_t style() const;
    void setExStyle(std::uint32_t exStyle);
    std::uint32_t exStyle() const;
    void setCursor(int cursor); // 0 default, IDC_EDIT_CURSOR the text cursor
    int cursor() const;
    void setTransparent(bool transparent);
    bool transparent() const;
    void setTextAlign(int horizontal); // 0 left, 1 right, 2 centre
    int textAlign() const;
    void setVerticalTextAlign(int vertical); // 0 centre, 1 top, 2 bottom
    int verticalTextAlign() const;
    TextExtent textExtent(std::string_view text) const; // with this control's font
    void repaint();

    // ---- What a screen reader says (Windows-1251). Without a name, buttons, labels and forms
    // speak their caption; edits and memos need one.
    void setAccessibleName(std::string_view name);
    // For a name that follows what the layer cannot see (a ticket's place in its list, a cell's
    // colour): asked when the widget is made, when the text changes and at refreshAccessibleName(),
    // never kept.
    void setAccessibleNameSource(NameSource source);
    // The same for those of this control's children that have no name of their own: one function
    // for a grid of cells instead of one per cell.
    void setChildAccessibleNames(ChildNames names);
    void refreshAccessibleName();
    std::string accessibleName() const; // given, made by a source, or "" for the kind's default
    void setAccessibleDescription(std::string_view description);
    std::string accessibleDescription() const;
    // What the pointer resting on the control shows (Windows-1251); "" for nothing.
    void setToolTip(std::string_view text);
    // For a tip that follows what the layer cannot see: asked when the tip is about to show, when
    // the widget is made and at refreshAccessibleName(), never kept. setToolTip drops it.
    void setToolTipSource(NameSource source);
    std::string toolTip() const;

    // A coloured frame inside the control's border that leaves its fill and text as they are: a
    // mark that says something about the content (kNoMark: none). Edits only.
    void setMark(Color frame);
    Color mark() const;

    // ---- Focus, keyboard and mouse.
    void setFocus(); // does nothing for a control that is not focusable
    bool hasFocus() const;
    void bringToFront();
    void setCapture();
    void releaseCapture();
    // Tab order: a position among the form's controls. Giving a position moves every sibling at
    // or above it one up. A new control takes its creation index.
    void setTabPosition(int position);
    int tabPosition() const;
    void setFocusable(bool focusable);
    bool focusable() const;
    // Whether Tab pressed in this control moves the focus (the form's navigation must be on).
    void setTabNavigates(bool on);
    bool tabNavigates() const;
    // A list whose children repeat the same tab positions (one ticket after another): Tab keeps
    // within the focused control's child, then goes on to the next child, and past the last one
    // back among the form's other controls, where the list stands at its own position.
    void setTabItems(bool on);
    bool tabItems() const;

    // ---- Messages.
    MessageHandler setMessageHandler(MessageHandler handler); // returns the replaced one
    // Runs the handler chain, then the layer's default processing unless consumed.
    std::intptr_t send(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // Queues a message; delivered from the loop while the control still lives.
    void post(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

    // ---- Events to the owner.
    void setOnMouseDown(MouseHandler h);
    void setOnMouseUp(MouseHandler h);
    void setOnMouseMove(MouseHandler h);
    void setOnDoubleClick(MouseHandler h);
    void setOnMouseWheel(MouseHandler h); // button holds the wheel delta (120 per notch)
    void setOnKeyDown(KeyHandler h);
    void setOnKeyUp(KeyHandler h);
    void setOnChar(CharHandler h);
    void setOnClick(NotifyHandler h);
    void setOnChange(NotifyHandler h);
    void setOnResize(NotifyHandler h);
    void setOnShow(NotifyHandler h); // a form went from hidden to shown
    void setOnDestroyed(DestroyedHandler h);
    void setOnPaint(PaintHandler h);

    ControlPrivate& d() { return *d_; }
    const ControlPrivate& d() const { return *d_; }

protected:
    // Views make their controls; a Control goes through destroy(), which knows its kind.
    Control(ControlKind kind, Control* parent);
    ~Control();
    // One heap block holds a Control and, right after it, its state: thousands of cells then cost
    // one block each, not two.
    static void* operator new(std::size_t size);
    static void operator delete(void* p);
    template <class View> static void DeleteAs(Control* c) { delete static_cast<View*>(c); }
    struct DestroyInPlace {
        void operator()(ControlPrivate* d) const;
    };
    std::unique_ptr<ControlPrivate, DestroyInPlace> d_;
};

// The typed view of `c` (a LabelControl, an EditControl, …), or nullptr when `c` is not of that
// view's kind. The view's header must be included.
template <class View> View* As(Control* c) {
    return c && View::Holds(c->kind()) ? static_cast<View*>(c) : nullptr;
}
template <class View> const View* As(const Control* c) {
    return c && View::Holds(c->kind()) ? static_cast<const View*>(c) : nullptr;
}

// The window that owns message boxes and dialogs: the application's active form, else the
// application object's first form, else none.
FormControl* OwnerControl();

// The application object, or nullptr before the first form creates it / after the main form
// accepted its close.
ApplicationControl* ApplicationObject();
void ClearApplicationObject();

} // namespace qo
