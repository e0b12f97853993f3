#pragma once
// The toolkit widget of each kind of Control (widget_classes.cpp): a form with its menu bar and
// client area, buttons, painted labels and panels, edits, memos, and the scroll box with its view,
// content and bars. What they show comes from the Control; events go to it first (routed_widget.h).
#include "widgets/layer/routed_widget.h"
#include <QFrame>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
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
    // The pointer over a drawn edit is that edit's, as over a real one.
    void pointAt(QPoint pos);

    QPointer<QWidget> mouseTarget_; // the editor a press on a drawn edit went to
    bool overEdit_ = false;         // the pointer shows a drawn edit's cursor
};

class EditWidget : public Routed<QLineEdit> {
public:
    using Routed<QLineEdit>::Routed;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
};

class MemoWidget : public Routed<QPlainTextEdit> {
public:
    using Routed<QPlainTextEdit>::Routed;

protected:
    bool viewportEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
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

} // namespace qo
