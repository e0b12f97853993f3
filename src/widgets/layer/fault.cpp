// Faults that escape a handler, told to the user: what was being done and why.
#include "widgets/layer/delivery.h"

#include "widgets/layer/form_control.h"
#include <QEvent>

#include "runtime/cp1251.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include <exception>
#include <new>
#include <set>
#include <stdexcept>

namespace qo {
namespace {

bool g_reporting = false;
std::set<std::string> g_passiveShown; // faults of events the user did not ask for, told once each

std::string Reason(const std::exception_ptr& fault) {
    try {
        std::rethrow_exception(fault);
    } catch (const std::bad_alloc& e) {
        return CurrentWords().outOfMemory + " (" + std::string(e.what()) + ")";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return CurrentWords().unknownFault;
    }
}

} // namespace

void ReportFault(Doing doing, std::int32_t controlId, bool userAct) noexcept {
    const std::exception_ptr fault = std::current_exception();
    // A box already on screen runs a loop of its own; a fault inside it must not stack a second box.
    if (g_reporting || !fault) return;
    g_reporting = true;
    try {
        const Words& words = CurrentWords();
        std::string what = WordsFor(doing);
        if (Control* c = Control::FromId(controlId); c && !c->text().empty())
            what += " «" + Cp1251ToUtf8(c->text()) + "»";
        const std::string text =
            words.faultBefore + what + ".\r\n\r\n" + Reason(fault) + "\r\n\r\n" + words.faultAfter;
        // Painting, moving and the like come back by themselves: one box for each such fault is enough.
        if (userAct || g_passiveShown.insert(text).second) {
            ShowMessageBox(OwnerControl(), Utf8ToCp1251(text), Utf8ToCp1251(words.faultCaption),
                           MB_OK | MB_ICONHAND);
        }
    } catch (...) {
        // Not even the message could be made (memory ran out again): the program goes on silently.
    }
    g_reporting = false;
}

Doing EventWhat(int qtEventType, bool& userAct) {
    userAct = true;
    switch (static_cast<QEvent::Type>(qtEventType)) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return Doing::Click;
    case QEvent::Wheel:
        return Doing::WheelScroll;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return Doing::KeyPress;
    case QEvent::InputMethod:
        return Doing::Typing;
    case QEvent::Close:
        return Doing::Closing;
    default:
        break;
    }
    userAct = false;
    switch (static_cast<QEvent::Type>(qtEventType)) {
    case QEvent::MouseMove:
        return Doing::MouseMove;
    case QEvent::Paint:
        return Doing::Painting;
    case QEvent::Move:
    case QEvent::Resize:
        return Doing::MovingOrSizing;
    case QEvent::Show:
    case QEvent::Hide:
        return Doing::ShowingOrHiding;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        return Doing::Activation;
    default:
        return Doing::WindowEvent;
    }
}

} // namespace qo
