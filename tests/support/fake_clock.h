#pragma once

#include "fake_timers.h"
#include "platform/clock.h"

#include <QLocale>

// The clock's texts are checked in the C locale's formats, which the Linux runs pin with LC_ALL.
// Windows takes the formats from the user's locale and has no C locale to pin; there
// clock_formats_test covers the formats and Qt the locale.
#define SKIP_UNLESS_C_LOCALE()                                                                     \
    if (QLocale::system().name() != QLatin1String("C"))                                            \
    QSKIP("the clock's texts are checked in the C locale, which this system does not have")

// Wall-clock time that moves on with the fake timers, so that a test advancing them sees the
// minutes and days turn.
class FakeClock final : public Clock
{
public:
    FakeClock(const FakeTimers &timers, const QDateTime &start)
        : m_timers(timers)
        , m_start(start)
    { }

    QDateTime now() const override { return m_start.addMSecs(m_timers.now()); }

private:
    const FakeTimers &m_timers;
    QDateTime m_start;
};
