#pragma once
// Reaching the widgets behind Controls in tests, to drive them as a user would.
#include "support/wait.h"
#include "widgets/layer/control.h"
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace qotest {

inline QLineEdit* lineEdit(qo::Control& c) {
    return qobject_cast<QLineEdit*>(c.widget());
}
inline QPlainTextEdit* memo(qo::Control& c) {
    return qobject_cast<QPlainTextEdit*>(c.widget());
}
inline QPushButton* button(qo::Control& c) {
    return qobject_cast<QPushButton*>(c.widget());
}

// Shows a form and waits until its window is exposed, so focus and input work offscreen.
inline bool showForm(qo::Control& form) {
    form.show();
    QWidget* w = form.widget();
    w->activateWindow();
    return QTest::qWaitForWindowExposed(w);
}

// Gives the widget the keyboard focus and types into it.
inline void typeInto(qo::Control& c, const QString& text) {
    QWidget* w = c.widget();
    w->setFocus();
    QTest::keyClicks(w, text);
}

} // namespace qotest
