#pragma once
// The form's kind: a top-level window whose widget holds a menu bar on top and the client area
// below, where the child widgets go. Its frame belongs to the window manager: the state keeps the
// outer rectangle, the widget is given the inside.
#include "widgets/layer/control_kind.h"
#include "widgets/layer/routed_widget.h"
#include <QMenuBar>
#include <QWidget>

namespace qo {

class FormWidget : public Routed<QWidget> {
public:
    FormWidget();
    QWidget* client = nullptr;
    QMenuBar* bar = nullptr;
    void arrange(); // menu bar on top, client below
};

class ClientWidget : public Routed<QWidget> {
public:
    using Routed<QWidget>::Routed;

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace qo
