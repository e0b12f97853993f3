#pragma once
// The memo's kind: the toolkit's plain-text box, whose mouse goes to the control first, which
// keeps its first shown line, and which a read-only memo with commands turns into a list.
#include "widgets/layer/control_kind.h"
#include "widgets/layer/routed_widget.h"
#include <QPlainTextEdit>

namespace qo {

class MemoWidget : public Routed<QPlainTextEdit> {
public:
    using Routed<QPlainTextEdit>::Routed;

protected:
    bool viewportEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
};

} // namespace qo
