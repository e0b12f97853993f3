#include "widgets/layer/delivery.h"

#include "widgets/layer/control_state.h"

namespace qo {
namespace {
int g_deliveryDepth = 0;
} // namespace

DeliveryScope::DeliveryScope() {
    ++g_deliveryDepth;
}
DeliveryScope::~DeliveryScope() {
    --g_deliveryDepth;
}
bool DeliveryScope::active() {
    return g_deliveryDepth > 0;
}

bool Deliver(Control& c, Message& m) {
    if (!c.d().on().rawHandler) return false;
    auto h = c.d().on().rawHandler; // the chain may replace itself while it runs
    DeliveryScope scope;
    return h(m);
}

} // namespace qo
