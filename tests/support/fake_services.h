#pragma once

#include "fake_timers.h"
#include "platform/high_contrast.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/services.h"
#include "platform/system_beep.h"

#include <optional>
#include <vector>

struct ShownMessage
{
    QString text;
    QString title;
    MessageBox::Icon icon;
    const QWidget *owner; // null: ownerless, as before any window of the program is up
};

class FakeMessageBox final : public MessageBox
{
public:
    void show(QWidget *owner, const QString &text, const QString &title, Icon icon) override
    {
        shown.push_back({ text, title.isEmpty() ? applicationTitle : title, icon, owner });
    }
    std::vector<ShownMessage> shown;
};

class FakeBeep final : public SystemBeep
{
public:
    void beep() override { ++count; }
    int count = 0;
};

// Records the end instead of ending the test process; the caller then goes on as if the process
// had gone, so tests also see that nothing runs on after it.
class FakeProcess final : public ProcessControl
{
public:
    void endNow(int exitCode) override
    {
        ++calls;
        exitCodeOf = exitCode;
    }
    int calls = 0;
    std::optional<int> exitCodeOf;
};

// Answers as told; telling it another answer is the system's notice of the change.
class FakeHighContrast final : public HighContrast
{
public:
    bool isOn() const override { return m_on; }
    void set(bool on)
    {
        m_on = on;
        Q_EMIT changed();
    }

private:
    bool m_on = false;
};

struct FakeServices
{
    FakeTimers timers;
    FakeMessageBox messages;
    FakeBeep beep;
    FakeProcess process;
    FakeHighContrast highContrast;
    Services services { timers, messages, beep, process, highContrast };
};
