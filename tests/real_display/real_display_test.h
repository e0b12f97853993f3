#pragma once
// The fixture of every real-display test: skipped, with the reason, where there is no X display
// or no tool to act through. A test builds the program itself (UiDriver) once it knows it runs.
#include <gtest/gtest.h>

#include "real_display/x_tools.h"

namespace qotest {

class RealDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        const QString why = x::unavailableReason();
        if (!why.isEmpty()) GTEST_SKIP() << why.toStdString();
    }
};

template <typename Param>
class RealDisplayWith : public RealDisplay, public ::testing::WithParamInterface<Param> {};

// The main window's menu items, by the captions UiDriver::chooseMenu finds them by.
constexpr const char* kNewTicket = "Новый";
constexpr const char* kDeleteAll = "Удалить все";
constexpr const char* kGameWindow = "Игра";

} // namespace qotest
