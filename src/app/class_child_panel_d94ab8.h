#pragma once
// A ticket's notes: a free-text memo beside the grid. Input 0 replaces its whole text; data
// output 0 gives the text as the memo shows it, line by line.
#include "containers/scheme.h"

namespace qo {
class TQOMemo;
}

namespace lotto {

class TClassChildPanel_D94AB8 : public qo::TScheme {
public:
    explicit TClassChildPanel_D94AB8(qo::Control* parent);

    qo::TQOMemo& memo() const { return *memo_; }

private:
    qo::TQOMemo* memo_ = nullptr;
};

} // namespace lotto
