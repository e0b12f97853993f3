#pragma once
// TQOWin: what every visual element shares. It carries the common properties until initialise
// hands them to the element's Control, turns the Control's mouse, key, focus and size
// notifications into events, and keeps a chosen set of properties in a settings file between
// runs. Creating the Control is each descendant's business.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/data.h"
#include "runtime/link.h"
#include "widgets/layer/colors.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/small_function.h"
#include "widgets/rare_text.h"

namespace qo {

class Control;
struct MouseEvent;

// The font as a scheme describes it; the Control gets height = size + 6.
struct TWinFont {
    std::string face = "MS Sans Serif"; // Windows-1251
    std::uint8_t size = 8;
    std::uint8_t style = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    Color color = clWindowText;
    std::uint8_t charset = 1;
};

// The Control's font height for a given size.
constexpr int FontHeightForSize(int size) {
    return size + 6;
}

class TQOWin {
public:
    explicit TQOWin(Control* parent);
    virtual ~TQOWin();
    TQOWin(const TQOWin&) = delete;
    TQOWin& operator=(const TQOWin&) = delete;

    // ---- Properties, assigned by the scheme before Init.
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0; // 0 keeps the control kind's default
    std::int32_t height = 0;
    std::uint8_t align = 0;    // 0 none, 1 left, 2 top, 3 right, 4 bottom, 5 client
    std::int32_t taborder = 0; // > 0 tab stop at that position; 0 as created; < 0 never focused
    Color color;               // default: the parent's colour at construction
    RareText hint;
    std::uint8_t flatBorder = 1;
    TWinFont font;
    std::uint8_t useParentFont = 0;
    std::uint8_t transparent = 0;
    std::uint8_t visible = 1;
    std::uint8_t enabled = 1;
    std::int32_t cursor = 0;
    std::uint8_t captureMouse = 0;
    std::uint8_t keepProperties = 0;
    RareText keptPropertyList; // "name=key" lines, CR or CR LF
    RareText settingsFile;     // relative to the program's folder (Windows-1251)
    RareText settingsSection;

    // ---- Events.
    TEventLink onKeyDown;   // virtual key code
    TEventLink onKeyUp;     // virtual key code
    TEventLink onMouseDown; // button minus one: 0 left, 1 right, 2 middle
    TEventLink onMouseMove; // 0/1/2 exactly that button held, 255 anything else
    TEventLink onMouseUp;
    TEventLink onFocus; // null
    TEventLink onBlur;  // null
    TEventLink onDblClick;
    TEventLink onResize;

    // Called once by the scheme after the properties are set. A descendant that makes its Control
    // here makes it first, then calls this.
    virtual void Init();

    // ---- Points.
    void SetEnabled(TData& d, std::uint16_t index);    // input: ToBool
    void WindowHandle(TData& d, std::uint16_t index);  // data: the window's handle (made if needed)
    void ControlObject(TData& d, std::uint16_t index); // data: Control::id(); Control::FromId turns it back

    Control* control() const { return control_; }
    Control* parentControl() const { return parent_; }

    // The settings-file persistence; both do nothing unless the list, file and section are set.
    void LoadKeptProperties();
    void SaveKeptProperties();
    // The settings file's full name on disk (UTF-8), or "" when no file is named.
    std::string SettingsPath() const;

    // The latest mouse event record.
    std::int32_t lastButton = 0;
    std::int32_t lastKeys = 0;
    std::int32_t lastPosition = 0;

protected:
    // Handler slots; the defaults fire the events above.
    virtual void HandleKeyDown(int& key, int shift);
    virtual void HandleKeyUp(int& key, int shift);
    virtual void HandleMouseDown(const MouseEvent& e);
    virtual void HandleMouseMove(const MouseEvent& e);
    virtual void HandleMouseUp(const MouseEvent& e);
    // Raw messages: true when consumed. The default fires focus events and passes everything on.
    virtual bool HandleMessage(Message& m);
    // The Control reports its destruction: saves the kept properties, then forgets the Control.
    virtual void ControlDestroyed();

    // Passes a message to the handler that was installed before this element's own.
    bool CallSavedHandler(Message& m);
    void SetControl(Control* c) { control_ = c; }
    void ForgetControl() { control_ = nullptr; }

    // Init's pieces, for descendants that apply a different selection (the form).
    void InstallHandlers();
    void ApplyFont();
    void InstallMessageHandler();

    Control* parent_;
    Control* control_ = nullptr;
    SmallFunction<bool(Message&)> savedHandler; // Control::MessageHandler

private:
    void RecordMouse(const MouseEvent& e);
    void ProcessKeptProperties(bool save);
    std::int32_t tickCount_ = 0; // the stored track-bar tick frequency of a kept list
    // Kept values this control's kind does not have (text shadow depth and colour, painted slider
    // position, a form's opacity and window state): held here so that a settings file round-trips
    // unchanged.
    std::array<std::int32_t, 5> foreign_{0, 0, 0, 255, 0};
};

} // namespace qo
