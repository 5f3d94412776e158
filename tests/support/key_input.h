#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// A key press carrying a character that no Qt::Key names, as a keyboard layout or an input
// method delivers it (é, €, Ω).
inline void typeCharacter(QWidget *widget, const QString &character)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
    QApplication::sendEvent(widget, &release);
}
