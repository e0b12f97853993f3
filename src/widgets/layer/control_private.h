#pragma once
// Inside of Control: its state, and the few functions that push state into a realised widget.
// Only the layer's own sources include this file.
#include "widgets/layer/control.h"
#include <QIcon>
#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

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
    std::function<std::string()> source;                   // the control's name, made when asked
    std::function<std::string(const Control&)> childNames; // for children without a name of their own
};

struct ControlPrivate {
    Control* self = nullptr;
    ControlKind kind = ControlKind::Form;
    Control* parent = nullptr;
    std::vector<Control*> children;
    std::int32_t id = 0;
    void* owner = nullptr;

    // Geometry.
    Rect bounds;
    int align = 0;
    int margin = 0;
    int layoutDepth = 0; // >0 while this control lays its children out

    // Appearance.
    Color color = clBtnFace;
    FontSpec font;
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool transparent = false;
    bool autoSize = false;
    bool clientEdge = false; // last asked 3D-edge state
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int cursor = 0;
    int hAlign = 0;
    int vAlign = 0;
    PanelStyle panel;

    // Accessibility: made when first set, so a bare cell pays one pointer.
    std::unique_ptr<AccessibleState> accessible;

    // Focus and tab order.
    int tabPosition = 0;
    bool focusable = true;
    bool tabNavigates = true;
    bool keyboardNavigation = false;
    Control* focused = nullptr; // forms: the control last focused

    // Forms.
    int windowState = 0;
    int opacity = 255;
    std::unique_ptr<QIcon> icon;
    Menu* menu = nullptr;
    int modalResult = 0;
    bool wasShown = false;
    QMargins frame; // the window frame last seen round a form
    bool applyingGeometry = false;

    // Edits and memos.
    std::uint32_t editOptions = 0;
    int limit = 0;
    int selStart = 0;
    int selEnd = 0;
    int firstLine = 0;
    mutable bool linesValid = false;
    mutable QString qtext;               // text with '\n' breaks, as the box holds it
    mutable std::vector<LineSpan> lines; // as the box shows them
    bool settingText = false;            // a change made by the layer itself

    // Scroll box.
    ScrollInfo vScroll;
    ScrollInfo hScroll;
    bool vBar = false;
    bool hBar = false;

    // Handlers.
    Control::MessageHandler rawHandler;
    Control::MouseHandler onMouseDown, onMouseUp, onMouseMove, onDoubleClick, onMouseWheel;
    Control::KeyHandler onKeyDown, onKeyUp;
    Control::CharHandler onChar;
    Control::NotifyHandler onClick, onChange, onResize, onShow, onDestroyed;
    Control::PaintHandler onPaint;

    // Realisation. `widget` is the window; `client` is where child windows go (the same widget
    // except for forms and scroll boxes).
    QPointer<QWidget> widget;
    QPointer<QWidget> client;
    bool destroying = false;
    std::shared_ptr<int> life = std::make_shared<int>(0); // weak copies tell a handler we still live

    bool isEdit() const { return kind == ControlKind::Edit || kind == ControlKind::Memo; }
    bool isTopLevel() const { return kind == ControlKind::Form; }
};

// True while `alive` has not been reset by the control's destruction.
using LifeToken = std::weak_ptr<int>;
inline LifeToken Life(const Control& c) {
    return c.d().life;
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
bool HandleScrollRequest(Control& box, bool vertical, int code, int track);

// ---- Implemented in control_edit.cpp.
void EnsureLines(const Control& c);
void InvalidateLines(const Control& c);
QString EditDisplayText(std::string_view cp1251); // CR LF / CR become '\n'
std::string EditStoredText(const QString& shown); // '\n' becomes CR LF
void TextChangedByUser(Control& c, const QString& shown);

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
