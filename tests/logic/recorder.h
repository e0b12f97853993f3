#pragma once
// Collects what reaches its input, labelled by the point index the link carries, so one recorder
// can stand behind several outputs and show their order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/link.h"

namespace qotest {

struct Recorder {
    std::vector<std::string> got;
    qo::TData value; // answered by the data point
    void Input(qo::TData& d, std::uint16_t index) {
        const char* kind = d.kind == qo::dkNull      ? "null"
                           : d.kind == qo::dkInteger ? "int"
                           : d.kind == qo::dkReal    ? "real"
                                                     : "text";
        got.push_back(std::to_string(index) + " " + kind + " " + qo::ToText(d));
    }
    void Value(qo::TData& out, std::uint16_t) { out = value; }

    qo::TEventLink To(std::uint16_t label = 0) { return qo::Link<&Recorder::Input>(*this, label); }
    qo::TEventLink From() { return qo::Link<&Recorder::Value>(*this); }
};

class DispatchOn : public ::testing::Test {
protected:
    void SetUp() override { qo::EnableDispatch(); }
    void TearDown() override { qo::DisableDispatch(); }
};

} // namespace qotest
