#include "widgets/main_form.h"

#include <unordered_map>
#include <vector>

#include "runtime/init_man.h"
#include "widgets/layer/canvas.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/message_loop.h"

namespace qo {

namespace {

struct BorderRow {
    std::uint32_t style;
    std::uint32_t exStyle;
};
constexpr std::uint32_t kBorderStyleMask = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr std::uint32_t kBorderExStyleMask = WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
constexpr std::uint32_t kBoxes = WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr BorderRow kBorderRows[8] = {
    {0, 0},                                         // none
    {WS_CAPTION | kBoxes, 0},                       // single
    {WS_CAPTION | WS_THICKFRAME | kBoxes, 0},       // sizeable
    {WS_CAPTION, WS_EX_WINDOWEDGE},                 // dialog
    {WS_CAPTION, WS_EX_TOOLWINDOW},                 // tool window
    {WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW}, // sizeable tool window
    {kBoxes, WS_EX_DLGMODALFRAME},                  // modal frame without a caption
    {WS_THICKFRAME | kBoxes, 0},                    // sizing frame without a caption
};

// Forms alive by serial number. The start-up list holds a form's number rather than the form, so a
// form taken apart before the list runs is skipped instead of called.
std::unordered_map<std::uintptr_t, TQOMainForm*>& LiveForms() {
    static std::unordered_map<std::uintptr_t, TQOMainForm*> forms;
    return forms;
}
std::uintptr_t g_nextFormSerial = 1;

} // namespace

void TQOMainForm::StartupBySerial(void* serial) {
    const auto it = LiveForms().find(reinterpret_cast<std::uintptr_t>(serial));
    if (it != LiveForms().end()) it->second->Startup();
}

TQOMainForm::TQOMainForm(Control* parent) : TQOWin(parent) {
    if (!ApplicationObject()) {
        application_ = ApplicationControl::Create();
        applicationId_ = application_->id();
        isMain_ = true;
    }
    control_ = FormControl::Create(parent ? parent : ApplicationObject());
    control_->setFontFace("MS Sans Serif");
    control_->setFontHeight(-11);
    control_->setOnShow([this] { Shown(); });
    control_->setOnDestroyed([this] { control_ = nullptr; });
    serial_ = g_nextFormSerial++;
    LiveForms().emplace(serial_, this);
    RegisterStartup(&TQOMainForm::StartupBySerial, reinterpret_cast<void*>(serial_));
}

TQOMainForm::~TQOMainForm() {
    LiveForms().erase(serial_);
    if (control_) {
        control_->destroy();
        control_ = nullptr;
    }
    // The application object also holds the secondary forms; their elements forget them as they go.
    if (application_ && Control::FromId(applicationId_) == application_) application_->destroy();
}

void TQOMainForm::SetCaption(std::string_view caption) {
    if (control_) control_->setText(caption);
    if (isMain_) {
        if (ApplicationControl* app = ApplicationObject()) app->setText(caption);
    }
}

void TQOMainForm::SetBorderStyle(int style) {
    if (!control_ || style < 0 || style > 7) return;
    const BorderRow& row = kBorderRows[style];
    control_->setStyle((control_->style() & ~kBorderStyleMask) | row.style);
    control_->setExStyle((control_->exStyle() & ~kBorderExStyleMask) | row.exStyle);
}

FormControl* TQOMainForm::formControl() const {
    return As<FormControl>(control_);
}

bool TQOMainForm::SetIcon(std::string_view imageBytes) {
    if (!control_ || !formControl()->setIconData(imageBytes)) return false;
    if (isMain_) {
        if (ApplicationControl* app = ApplicationObject()) app->setIconData(imageBytes);
    }
    hasIcon_ = true;
    return true;
}

bool TQOMainForm::SetIconFile(const std::string& pathUtf8) {
    if (!control_ || !formControl()->setIconFile(pathUtf8)) return false;
    if (isMain_) {
        if (ApplicationControl* app = ApplicationObject()) app->setIconFile(pathUtf8);
    }
    hasIcon_ = true;
    return true;
}

void TQOMainForm::SetTaskbar(int option) {
    if (option != 1 || !isMain_) return;
    if (Control* app = ApplicationObject()) {
        app->setExStyle(app->exStyle() | WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW);
    }
}

void TQOMainForm::Init() {
    if (!control_) return;
    // The form's own message handler takes the slot, so a form fires no focus events.
    InstallMessageHandler();
    InstallHandlers();

    control_->setPosition(left, top);
    control_->setAlign(align);
    control_->setColor(color);
    ApplyFont();

    if (!visible || Modal)
        control_->hide();
    else if (!isMain_)
        control_->show();
    // NOTE: the main form stays hidden until Start, so the settings below move it unseen.

    control_->setEnabled(enabled != 0);

    if (!isMain_ && !hasIcon_) {
        ApplicationControl* app = ApplicationObject();
        if (app && !app->children().empty() && app->children().front() != control_) {
            if (auto* first = As<FormControl>(app->children().front())) formControl()->copyIconFrom(*first);
        }
    }

    control_->setOnPaint([this](Canvas&) { Paint(); });
    initialised_ = true;

    formControl()->setOpacity(AlphaBlendValue);

    if (ClientSizing) {
        const Rect client = control_->clientRect();
        control_->setClientSize(width ? width : client.width, height ? height : client.height);
    } else {
        control_->setSize(width, height);
    }

    if (keepProperties) LoadKeptProperties();
}

void TQOMainForm::Start() {
    // The message loop shows the main form itself, once dispatch is on, so on-show reaches its links.
    if (Control* app = ApplicationObject()) app->setVisible(visible != 0);
    EnableDispatch();
    RunStartups();
}

void TQOMainForm::Startup() {
    FireNull(onStart);
}

void TQOMainForm::Shown() {
    if (!shownOnce_) {
        shownOnce_ = true;
        if (control_ && (WindowState == 1 || WindowState == 2)) formControl()->setWindowState(WindowState);
    }
    FireNull(onShow);
}

void TQOMainForm::Paint() {
    if (control_) FireInteger(onPaint, control_->id());
}

void TQOMainForm::Visible(TData& d, std::uint16_t) {
    if (!control_) return;
    if (!ToBool(d)) {
        control_->hide();
        return;
    }
    if (Modal) {
        formControl()->setModalResult(0);
        RunModal(*formControl());
        if (control_) control_->hide();
        return;
    }
    control_->show();
    formControl()->bringToForeground();
    // Children lay themselves out again, as they would after a real resize.
    const std::vector<Control*> children = control_->children();
    for (Control* child : children) {
        if (Control::FromId(child->id()) == child) child->send(WM_SIZE, 0, 0);
    }
}

bool TQOMainForm::TryClose() {
    FireNull(onClose);
    // Saved at every attempt, also one refused below: the window may never close otherwise.
    if (keepProperties) SaveKeptProperties();
    TData answer;
    if (TakeInteger(answer, canClose, 0) != 0) return false;
    if (!isMain_ && !Modal) {
        if (control_) control_->hide();
        return false;
    }
    if (Modal && control_ && formControl()->modalResult() == 0) formControl()->setModalResult(IDCANCEL);
    if (isMain_) {
        // NOTE: from here on nothing reaches any element, also while the scheme is torn down.
        DisableDispatch();
        ClearApplicationObject();
    }
    return true;
}

bool TQOMainForm::HandleMessage(Message& m) {
    switch (m.msg) {
    case WM_MOVE:
        // The layer keeps the taskbar entry with the main form; only the event is left to do.
        if (initialised_) FireNull(onMove);
        break;
    case WM_ACTIVATE:
        if (m.wParam > 0)
            FireNull(onActivate);
        else
            FireNull(onDeactivate);
        break;
    case WM_CLOSE:
        if (closing_) {
            m.result = 0;
            return true;
        }
        closing_ = true;
        {
            const bool accepted = TryClose();
            closing_ = false;
            if (!accepted) {
                m.result = 0;
                return true;
            }
        }
        break;
    default:
        break;
    }
    return CallSavedHandler(m);
}

void TQOMainForm::HandleMouseDown(const MouseEvent& e) {
    if (DragByClient && control_) {
        control_->releaseCapture();
        control_->send(WM_SYSCOMMAND, SC_DRAGMOVE, 0);
    }
    TQOWin::HandleMouseDown(e);
}

void TQOMainForm::ControlDestroyed() {
    // A form saves at each close attempt instead of here.
    control_ = nullptr;
}

} // namespace qo
