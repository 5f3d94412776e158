#pragma once

#include <QObject>
#include <QString>
#include <QTest>
#include <QWidget>
#include <source_location>

// Finds a control by its design name. A missing one, or a missing window, fails the calling test
// with the name and comes back null, so that the test can end there instead of crashing the suite.
template<typename T = QWidget>
T *findControl(const QObject *window, const QString &name,
    const std::source_location &caller = std::source_location::current())
{
    T *control = window ? window->findChild<T *>(name) : nullptr;
    if (!control) {
        const QByteArray message = "no control named " + name.toUtf8();
        QTest::qFail(message.constData(), caller.file_name(), int(caller.line()));
    }
    return control;
}

// Declares `variable` as the window's control of that name, or fails and ends the calling test.
#define CONTROL(type, variable, window, name)                                                      \
    type *const variable = findControl<type>(window, name);                                        \
    if (!variable)                                                                                 \
    return
