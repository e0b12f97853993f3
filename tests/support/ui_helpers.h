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

// Types as a keyboard does, whatever its layout: '\n' is the Return key; a letter beyond ASCII
// comes as the desktop sends it, with the upper-case letter as the key and the letter as the text
// (a Russian "б" is key 0x411, text "б"); a character no key has comes with an unknown key.
inline void typeKeys(QWidget* w, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\n')) {
            QTest::keyClick(w, Qt::Key_Return);
        } else if (ch.unicode() < 0x80) {
            QTest::keyClick(w, ch.toLatin1());
        } else if (ch.isHighSurrogate() && i + 1 < text.size()) {
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text.mid(i, 2), Qt::NoModifier);
            ++i;
        } else {
            QTest::sendKeyEvent(QTest::Click, w, static_cast<Qt::Key>(ch.toUpper().unicode()), QString(ch),
                                Qt::NoModifier);
        }
    }
}

// Gives the widget the keyboard focus and types into it.
inline void typeInto(qo::Control& c, const QString& text) {
    QWidget* w = c.widget();
    w->setFocus();
    typeKeys(w, text);
}

} // namespace qotest
