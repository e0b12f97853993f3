#pragma once
// Small stand-in elements for container tests: they record what reaches them and when they die.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/link.h"

namespace qotest {

// One log per test binary; fixtures clear it.
inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Notes its own destruction, so tests can check the order in which a scheme takes itself apart.
struct Tracker {
    explicit Tracker(std::string name) : name(std::move(name)) {}
    ~Tracker() { Log().push_back("~" + name); }
    std::string name;
};

// An input that records the texts it receives, and a data point that answers with `value`.
struct Probe {
    std::vector<std::string> got;
    qo::TData value;
    void Input(qo::TData& d, std::uint16_t index) {
        got.push_back(qo::ToText(d));
        lastIndex = index;
    }
    void Value(qo::TData& out, std::uint16_t) { out = value; }
    std::uint16_t lastIndex = 0xFFFF;
};

// Fires its click event and then writes to its own state, as a real button does after the handler
// returns: if the chain destroyed it, AddressSanitizer reports the write.
struct Button {
    qo::TEventLink onClick;
    int clicks = 0;
    void Click() {
        qo::FireNull(onClick);
        ++clicks;
    }
};

// Dispatch is off until the main form starts; these tests play that part.
class DispatchOn : public ::testing::Test {
protected:
    void SetUp() override {
        qo::EnableDispatch();
        Log().clear();
    }
    void TearDown() override { qo::DisableDispatch(); }
};

} // namespace qotest
