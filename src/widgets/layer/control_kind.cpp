// The one table of the kinds of Control, in the order of ControlKind.
#include "widgets/layer/control_kind.h"

#include "widgets/layer/routed_widget.h"
#include <QWidget>

namespace qo {
namespace {

// The application object is the taskbar's entry, with no widget of its own.
const ControlKindOps kApplicationKind{};

const ControlKindOps* const kKinds[] = {
    &kApplicationKind, &kFormKind, &kButtonKind, &kLabelKind,
    &kPanelKind,       &kEditKind, &kMemoKind,   &kScrollBoxKind,
};
static_assert(std::size(kKinds) == static_cast<std::size_t>(ControlKind::ScrollBox) + 1,
              "a kind of Control without its entry");

} // namespace

const ControlKindOps& KindOps(ControlKind kind) {
    return *kKinds[static_cast<std::size_t>(kind)];
}

RoutedBase* RoutedOf(QWidget* w) {
    return dynamic_cast<RoutedBase*>(w);
}

} // namespace qo
