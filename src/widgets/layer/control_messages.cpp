// Messages to a Control: the raw handler chain, then the layer's default processing of the
// messages the elements send (sizes, closing, scrolling, the edit messages); and messages queued
// for the next turn of the loop.
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/forms.h"
#include "widgets/layer/geometry.h"
#include "widgets/layer/registry.h"
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
        if (d.kind == ControlKind::Form) FormClosing(*this);
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_DRAGMOVE && d.widget && d.widget->windowHandle()) {
            d.widget->windowHandle()->startSystemMove();
        }
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
        const bool vertical = msg == WM_VSCROLL;
        if (d.kind == ControlKind::ScrollBox) {
            HandleScrollRequest(*this, vertical, LowWord(wParam), HighWord(wParam));
        } else if (d.kind == ControlKind::Memo && vertical) {
            const int code = LowWord(wParam);
            if (code == SB_LINEUP) scrollLines(-1);
            if (code == SB_LINEDOWN) scrollLines(1);
            if (code == SB_TOP) scrollLines(-lineCount());
            if (code == SB_BOTTOM) scrollLines(lineCount());
        }
        return 0;
    }
    case EM_LINESCROLL:
        if (d.kind == ControlKind::Memo) scrollLines(static_cast<int>(lParam));
        return d.kind == ControlKind::Memo ? 1 : 0;
    case EM_GETFIRSTVISIBLELINE:
        return firstVisibleLine();
    case EM_GETLINECOUNT:
        return lineCount();
    case EM_GETSEL: {
        const int start = caret();
        return MakeLong(start, d.selEnd);
    }
    case EM_SETSEL:
        setSelection(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case EM_LIMITTEXT:
        limitText(static_cast<int>(wParam));
        return 0;
    case EM_REPLACESEL:
        if (lParam) replaceSelection(reinterpret_cast<const char*>(lParam));
        return 0;
    case WM_SETTEXT:
        setText(lParam ? std::string_view(reinterpret_cast<const char*>(lParam)) : std::string_view());
        return 1;
    case WM_GETTEXTLENGTH:
        return static_cast<std::intptr_t>(d.text.size());
    default:
        return 0;
    }
}

void Control::post(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    const std::int32_t target = d_->id;
    QTimer::singleShot(0, qApp, [target, msg, wParam, lParam] {
        Guarded("отложенное сообщение окну", 0, false, [&] {
            if (Control* c = Control::FromId(target)) c->send(msg, wParam, lParam);
        });
    });
}

} // namespace qo
