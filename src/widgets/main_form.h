#pragma once
// TQOMainForm: a top-level window. The first one made in the process creates the application
// object and is the main form: starting it switches dispatch on, and its accepted close ends the
// program. Later forms are secondary: closing them only hides them. What the window shows is left
// to the elements placed on it.
#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/win.h"

namespace qo {

class ApplicationControl;
class FormControl;

class TQOMainForm : public TQOWin {
public:
    explicit TQOMainForm(Control* parent = nullptr);
    ~TQOMainForm() override;

    // ---- Properties, assigned before Init.
    bool Modal = false;        // shown modally when made visible; its close is accepted
    bool DragByClient = false; // a press anywhere on the form moves the window
    std::uint8_t AlphaBlendValue = 255;
    std::uint8_t WindowState = 0; // 0 normal, 1 minimised, 2 maximised: applied at the first show
    bool ClientSizing = false;    // width and height give the client area

    // ---- Data input and events.
    TEventLink canClose; // asked at every close attempt; a non-zero integer refuses
    TEventLink onActivate;
    TEventLink onDeactivate;
    TEventLink onShow;  // each time the window is shown
    TEventLink onStart; // once, from the start-up list
    TEventLink onMove;  // each move, once initialised
    TEventLink onPaint; // the window handle as an integer
    TEventLink onClose; // at the beginning of every close attempt

    // ---- Setters that act at once (the scheme calls them before Init).
    void SetCaption(std::string_view caption); // Windows-1251
    void SetBorderStyle(int style);            // 0..7; larger values are ignored
    bool SetIcon(std::string_view imageBytes); // an image file's bytes
    bool SetIconFile(const std::string& pathUtf8);
    void SetTaskbar(int option); // 1 on the main form: tool-window styles on the application object

    void Init() override;

    // Called once on the main form by the program entry: dispatch on, run the start-up list. The
    // message loop then shows the form.
    void Start();

    // Input point: false hides; true shows (modally for a Modal form).
    void Visible(TData& d, std::uint16_t index);

    // Runs the close procedure as a close attempt would; true when the close is accepted.
    bool TryClose();

    bool IsMain() const { return isMain_; }
    FormControl* formControl() const; // the element's Control as the form it is
    bool ShownOnce() const { return shownOnce_; }
    bool HasIcon() const { return hasIcon_; }

protected:
    bool HandleMessage(Message& m) override;
    void HandleMouseDown(const MouseEvent& e) override;
    void ControlDestroyed() override;

private:
    void Startup();
    static void StartupBySerial(void* serial);
    void Shown();
    void Paint();

    std::uintptr_t serial_ = 0;
    ApplicationControl* application_ = nullptr; // made and owned by the main form
    std::int32_t applicationId_ = 0;
    bool isMain_ = false;
    bool shownOnce_ = false;
    bool hasIcon_ = false;
    bool initialised_ = false; // on-move fires only after Init
    bool closing_ = false;
};

} // namespace qo
