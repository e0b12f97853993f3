#pragma once
// Top-level windows: the application object (the taskbar entry) and the forms under it. Both carry
// an icon; what only a form can do is FormControl's.
#include "widgets/layer/control.h"
#include <string>
#include <string_view>

namespace qo {

class WindowControl : public Control {
public:
    static bool Holds(ControlKind k) { return k == ControlKind::Application || k == ControlKind::Form; }

    bool setIconFile(const std::string& pathUtf8);
    bool setIconData(std::string_view imageBytes);
    void copyIconFrom(const WindowControl& other);
    bool hasIcon() const;

protected:
    using Control::Control;
};

class ApplicationControl final : public WindowControl {
public:
    // The application object: one per process; forms created under it are top-level windows.
    static ApplicationControl* Create();
    static bool Holds(ControlKind k) { return k == ControlKind::Application; }

private:
    using WindowControl::WindowControl;
};

} // namespace qo
