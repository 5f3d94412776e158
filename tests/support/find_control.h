#pragma once

#include <QObject>
#include <QPointer>
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

// A control a fixture finds by name the first time a test asks for it and keeps while it lives, so
// that a suite names each control once; windows build some controls only as they load or show.
template<typename T> struct FoundControl
{
    bool find(const std::source_location &caller)
    {
        return control || (control = findControl<T>(window, QLatin1String(name), caller));
    }
    T *operator->() const { return control; }
    operator T *() const { return control; }

    const QObject *window;
    const char *name;
    QPointer<T> control {};
};

// Finds the fixture's controls this test goes on to use; a missing one fails this test alone,
// with its name, and ends it.
#define USES(...)                                                                                  \
    if (![](const std::source_location &caller, auto &...controls) {                               \
            return (controls.find(caller) && ...);                                                 \
        }(std::source_location::current(), __VA_ARGS__))                                           \
    return
