#pragma once
// Shared pieces of the window-element tests: a probe element that records what reaches it, a
// temporary program folder, and a fixture with a shown form to put controls on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/init_man.h"
#include "runtime/link.h"
#include "support/scripted_platform.h"
#include "support/ui_helpers.h"
#include "widgets/layer/control.h"
#include "widgets/main_form.h"

namespace qotest {

// Records every value it is given; answers data requests with `answer`.
struct Probe {
    std::vector<qo::TData> got;
    std::vector<int> from; // the point index of each value
    qo::TData answer;

    void Take(qo::TData& d, std::uint16_t index) {
        got.push_back(d);
        from.push_back(index);
    }
    void Answer(qo::TData& d, std::uint16_t) { d = answer; }

    qo::TEventLink input(std::uint16_t index = 0) { return qo::Link<&Probe::Take>(*this, index); }
    qo::TEventLink source() { return qo::Link<&Probe::Answer>(*this); }

    std::vector<int> ints() const {
        std::vector<int> v;
        for (const auto& d : got)
            v.push_back(qo::ToInteger(d));
        return v;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> v;
        for (const auto& d : got)
            v.push_back(qo::ToText(d));
        return v;
    }
    bool allNull() const {
        for (const auto& d : got) {
            if (d.kind != qo::dkNull) return false;
        }
        return true;
    }
};

// The scripted platform, whose program folder is the test's own, and the files in it.
class ProgramFolder {
public:
    std::string path(const std::string& nameUtf8) const { return platform.folder() + nameUtf8; }
    // The file's bytes, or "" when it does not exist.
    std::string read(const std::string& nameUtf8) const;

    ScriptedPlatform platform;
};

// Dispatch is on (no form is started here) and a shown form holds the controls under test.
class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        qo::EnableDispatch();
        form = std::make_unique<qo::TQOMainForm>();
        form->width = 400;
        form->height = 300;
        form->Init();
        // Offscreen, keys reach only the focused widget of an active window.
        ASSERT_TRUE(showForm(*form->control()));
    }
    void TearDown() override {
        qo::DisableDispatch();
        // Forms register a start-up call; run the list (delivering nothing) before they go.
        qo::RunStartups();
        form.reset();
    }
    qo::Control* parent() { return form->control(); }

    std::unique_ptr<qo::TQOMainForm> form;
};

} // namespace qotest
