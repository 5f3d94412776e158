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

struct FakeServices
{
    FakeTimers timers;
    FakeMessageBox messages;
    FakeBeep beep;
    FakeProcess process;
    PaletteHighContrast highContrast; // the system's setting is the test's palette
    Services services { timers, messages, beep, process, highContrast };
};
