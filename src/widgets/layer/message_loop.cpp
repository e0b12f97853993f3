#include "widgets/layer/message_loop.h"

#include "platform/session.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/forms.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/registry.h"
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>

namespace qo {
namespace {

bool g_terminated = false;

void WakeUp() {
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

} // namespace

void RunMessageLoop(FormControl& mainForm) {
    QApplication::setQuitOnLastWindowClosed(false);
    SetLoopMainForm(&mainForm);
    const LifeToken alive = Life(mainForm);
    // The end of the user's session closes the program as its close button does.
    platform::OnSessionEnd([&mainForm, alive] {
        if (!alive.expired()) mainForm.send(WM_CLOSE, 0, 0);
    });
    mainForm.show();
    while (!g_terminated)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    platform::OnSessionEnd({});
    if (!alive.expired()) SetLoopMainForm(nullptr);
}

void TerminateMessageLoop() {
    g_terminated = true;
    WakeUp();
}

bool MessageLoopTerminated() {
    return g_terminated;
}
void ResetMessageLoop() {
    g_terminated = false;
}

void ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int RunModal(FormControl& form) {
    const std::int32_t previousId = OwnerControl() ? OwnerControl()->id() : 0;
    std::vector<std::int32_t> disabled;
    if (ApplicationControl* app = ApplicationObject()) {
        for (Control* other : app->children()) {
            if (other != &form && As<FormControl>(other) && other->enabled()) {
                other->setEnabled(false);
                disabled.push_back(other->id());
            }
        }
    }
    const LifeToken alive = Life(form);
    form.setModalResult(0);
    form.setEnabled(true);
    form.show();
    form.bringToForeground();
    while (!g_terminated && !alive.expired() && form.modalResult() == 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const int result = alive.expired() ? 0 : form.modalResult();
    for (std::int32_t id : disabled) {
        if (Control* c = Control::FromId(id)) c->setEnabled(true);
    }
    FormControl* previous = As<FormControl>(Control::FromId(previousId));
    if (previous && previous != &form) {
        previous->bringToForeground();
        previous->post(WM_ACTIVATE, WA_ACTIVE, 0);
    }
    return result;
}

} // namespace qo
