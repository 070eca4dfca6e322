#pragma once
// Typing as the operator types: key by key, accents included.

#include <QLineEdit>
#include <QTest>

namespace meru::test {

// Key by key; QTest's own keyClicks takes ASCII only.
inline void typeKeys(QWidget* widget, const QString& keys) {
    for (QChar ch : keys) {
        if (ch.unicode() < 128)
            QTest::keyClick(widget, char(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Replaces the whole text of an edit by typing.
inline void typeOver(QLineEdit* edit, const QString& keys) {
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    typeKeys(edit, keys);
}

}  // namespace meru::test
