#pragma once
// The toolkit widgets that realise Controls. Each routes the events the layer cares about to its
// Control before the toolkit's own handling; the Control pointer is cut when the Control goes, and
// a widget still delivering an event is deleted later, so no handler ever sees a dead object.
#include "widgets/layer/control_private.h"
#include <QFrame>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace qo {

// Routes one event to the Control; true when the event is used up.
bool RouteEvent(Control& c, QWidget& w, QEvent* e, bool frameRole);

template <class Base> class Routed : public Base {
public:
    using Base::Base;
    Control* control = nullptr;
    bool frameRole = false;

protected:
    bool event(QEvent* e) override {
        DeliveryScope scope;
        bool userAct = false;
        const char* what = EventWhat(e->type(), userAct);
        bool used = true; // an event whose handling failed counts as handled
        Guarded(what, 0, userAct, [&] {
            if (control && RouteEvent(*control, *this, e, frameRole)) return;
            used = Base::event(e);
        });
        return used;
    }
};

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

class ButtonWidget : public Routed<QPushButton> {
public:
    using Routed<QPushButton>::Routed;
};

class LabelWidget : public Routed<QFrame> {
public:
    using Routed<QFrame>::Routed;

protected:
    void paintEvent(QPaintEvent* e) override;
};

class PanelWidget : public Routed<QFrame> {
public:
    using Routed<QFrame>::Routed;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QPointer<QWidget> mouseTarget_; // the editor a press on a drawn edit went to
};

class EditWidget : public Routed<QLineEdit> {
public:
    using Routed<QLineEdit>::Routed;
};

class MemoWidget : public Routed<QPlainTextEdit> {
public:
    using Routed<QPlainTextEdit>::Routed;

protected:
    bool viewportEvent(QEvent* e) override;
};

class ScrollBoxWidget : public Routed<QFrame> {
public:
    explicit ScrollBoxWidget(QWidget* parent);
    QWidget* viewport = nullptr;
    QWidget* content = nullptr;
    QScrollBar* vbar = nullptr;
    QScrollBar* hbar = nullptr;
    void arrange();
};

// Painting shared by the widgets and tests.
void PaintPanel(QPainter& p, const Control& c, const QRect& client);
void PaintLabel(QPainter& p, const Control& c, const QRect& client);

} // namespace qo
