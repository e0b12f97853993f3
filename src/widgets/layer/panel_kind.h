#pragma once
// The panel's kind: a frame that paints its bevels, caption and the one-line edits it draws for
// its children (painted_edit.h), and hands a press on one of those to a real editor.
#include "widgets/layer/control_kind.h"
#include "widgets/layer/routed_widget.h"
#include <QFrame>
#include <QPointer>

namespace qo {

class PanelWidget : public Routed<QFrame> {
public:
    using Routed<QFrame>::Routed;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // The pointer over a drawn edit is that edit's, as over a real one.
    void pointAt(QPoint pos);

    QPointer<QWidget> mouseTarget_; // the editor a press on a drawn edit went to
    bool overEdit_ = false;         // the pointer shows a drawn edit's cursor
};

} // namespace qo
