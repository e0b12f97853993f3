#pragma once
// The whole program for a benchmark: the main window scheme started and shown on the quiet
// platform, with ways in as the menu, the number box and the game window reach the list.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/class_child_scroll_box_d80098.h"
#include "app/class_main_form_d80004.h"
#include "app/inline_code_kept_game.h"
#include "containers/child_scroll_box.h"
#include "containers/multi_element.h"
#include "quiet_platform.h"
#include "runtime/event_scope.h"
#include "runtime/link.h"
#include "widgets/layer/control.h"
#include "widgets/main_form.h"

namespace qobench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

inline void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Program {
    QuietPlatform platform;
    qo::Platform* previous = qo::SetPlatform(&platform);
    std::unique_ptr<lotto::TClassMainForm_D80004> root = std::make_unique<lotto::TClassMainForm_D80004>();

    Program() {
        root->form().Start();
        root->form().control()->show();
        Settle();
        keeper().delayMs = 1 << 30; // the kept game is written only when a benchmark asks
    }
    ~Program() {
        root.reset();
        qo::SetPlatform(previous);
    }
    lotto::TQOInlineCode_KeptGame& keeper() { return root->keptGame(); }
    lotto::TClassChildScrollBox_D80098& list() {
        return lotto::TClassChildScrollBox_D80098::Of(root->ticketList());
    }
    // Into a container's input, inside an event as the toolkit would deliver it.
    static void send(qo::TQOMultiElement& container, std::uint16_t input, std::int32_t value) {
        qo::EventScope scope;
        qo::TData d;
        qo::MakeInteger(d, value);
        container.Input(d, input);
    }
    void send(std::uint16_t input, std::int32_t value) { send(root->ticketList(), input, value); }
    void addTicket() { send(0, 1); }   // "&Новый"
    void fillAll() { send(0, 6); }     // "&Заполнить все"
    void mark(int n) { send(1, n); }   // a number reaching every ticket
    void deleteAll() {
        {
            qo::EventScope scope;
            list().DeleteAllTickets();
        }
        Settle();
    }
};

} // namespace qobench
