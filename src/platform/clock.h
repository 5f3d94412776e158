#pragma once

#include <QDateTime>

// The wall clock, replaceable so that tests can pin the time the status bar shows.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
