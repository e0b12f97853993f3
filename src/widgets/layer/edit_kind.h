#pragma once
// The one-line edit's kind: the toolkit's line edit, carrying the control's mark over its text and
// the element's own commands in its context menu. A bare edit on a panel has none till it is
// needed (painted_edit.h).
#include "widgets/layer/control_kind.h"
#include "widgets/layer/routed_widget.h"
#include <QLineEdit>

namespace qo {

class EditWidget : public Routed<QLineEdit> {
public:
    using Routed<QLineEdit>::Routed;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
};

} // namespace qo
