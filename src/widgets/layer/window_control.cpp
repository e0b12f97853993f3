#include "widgets/layer/window_control.h"

#include "runtime/link.h"
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/form_control.h"
#include <QIcon>
#include <QPixmap>

namespace qo {
namespace {
ApplicationControl* g_application = nullptr;

void* OwnerWindowForRuntime() {
    return OwnerControl();
}
} // namespace

ApplicationControl* ApplicationControl::Create() {
    auto* c = new ApplicationControl(ControlKind::Application, nullptr);
    c->d().visible = false;
    c->d().text = "Form";
    g_application = c;
    SetOwnerWindowHook(&OwnerWindowForRuntime);
    return c;
}

ApplicationControl* ApplicationObject() {
    return g_application;
}
void ClearApplicationObject() {
    g_application = nullptr;
}

bool WindowControl::setIconFile(const std::string& pathUtf8) {
    QIcon icon(QString::fromStdString(pathUtf8));
    if (icon.isNull() || icon.availableSizes().isEmpty()) return false;
    d().rareW().icon = std::make_unique<QIcon>(icon);
    ApplyIcon(*this);
    return true;
}

bool WindowControl::setIconData(std::string_view imageBytes) {
    QPixmap pm;
    if (!pm.loadFromData(reinterpret_cast<const uchar*>(imageBytes.data()),
                         static_cast<uint>(imageBytes.size()))) {
        return false;
    }
    d().rareW().icon = std::make_unique<QIcon>(pm);
    ApplyIcon(*this);
    return true;
}

void WindowControl::copyIconFrom(const WindowControl& other) {
    if (!other.d().rare().icon) return;
    d().rareW().icon = std::make_unique<QIcon>(*other.d().rare().icon);
    ApplyIcon(*this);
}

bool WindowControl::hasIcon() const {
    return d().rare().icon != nullptr;
}

} // namespace qo
