// Messages to a Control: the raw handler chain, then the layer's default processing of the
// messages the elements send (sizes, closing, scrolling, the edit messages); and messages queued
// for the next turn of the loop.
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/forms.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/registry.h"
#include "widgets/layer/scroll_box_control.h"
#include "widgets/layer/scroll_view.h"
#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

namespace qo {

Control::MessageHandler Control::setMessageHandler(MessageHandler handler) {
    MessageHandler& slot = d_->onW().rawHandler;
    MessageHandler previous = std::move(slot);
    slot = std::move(handler);
    return previous;
}

namespace {

// What an edit or a memo does with a message its handlers left: the edit messages, and the
// vertical scroll requests of a memo.
std::intptr_t EditDefault(EditControl& e, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (msg) {
    case WM_VSCROLL: {
        const int code = LowWord(wParam);
        if (code == SB_LINEUP) e.scrollLines(-1);
        if (code == SB_LINEDOWN) e.scrollLines(1);
        if (code == SB_TOP) e.scrollLines(-e.lineCount());
        if (code == SB_BOTTOM) e.scrollLines(e.lineCount());
        return 0;
    }
    case EM_LINESCROLL:
        e.scrollLines(static_cast<int>(lParam));
        return e.multiLine() ? 1 : 0;
    case EM_GETFIRSTVISIBLELINE:
        return e.firstVisibleLine();
    case EM_GETLINECOUNT:
        return e.lineCount();
    case EM_GETSEL:
        return MakeLong(e.caret(), e.d().selEnd);
    case EM_SETSEL:
        e.setSelection(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case EM_LIMITTEXT:
        e.limitText(static_cast<int>(wParam));
        return 0;
    case EM_REPLACESEL:
        if (lParam) e.replaceSelection(reinterpret_cast<const char*>(lParam));
        return 0;
    default:
        return 0;
    }
}

} // namespace

std::intptr_t Control::send(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    Message m{msg, wParam, lParam, 0};
    const LifeToken alive = Life(*this);
    if (Deliver(*this, m)) return m.result;
    if (alive.expired()) return 0;
    auto& d = *d_;
    switch (msg) {
    case WM_SIZE:
        LayoutChildren(*this);
        repaint();
        return 0;
    case WM_CLOSE:
        if (auto* form = As<FormControl>(this)) FormClosing(*form);
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_DRAGMOVE && d.widget && d.widget->windowHandle()) {
            d.widget->windowHandle()->startSystemMove();
        }
        return 0;
    case WM_SETTEXT:
        setText(lParam ? std::string_view(reinterpret_cast<const char*>(lParam)) : std::string_view());
        return 1;
    case WM_GETTEXTLENGTH:
        return static_cast<std::intptr_t>(d.text.size());
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (As<ScrollBoxControl>(this)) {
            HandleScrollRequest(*this, msg == WM_VSCROLL, LowWord(wParam), HighWord(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    if (auto* edit = As<EditControl>(this)) return EditDefault(*edit, msg, wParam, lParam);
    return 0;
}

void Control::post(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    const std::int32_t target = d_->id;
    QTimer::singleShot(0, qApp, [target, msg, wParam, lParam] {
        Guarded(Doing::PostedMessage, 0, false, [&] {
            if (Control* c = Control::FromId(target)) c->send(msg, wParam, lParam);
        });
    });
}

} // namespace qo
