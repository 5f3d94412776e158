#pragma once

#include <QString>

class QTime;

// The locale's time formats as the status bar uses them.
namespace ClockFormats {

// For the time panel, from the locale's short time format: without seconds, because the panel
// changes once a minute and a seconds field would stand still in between.
QString panelTime(const QString &shortTimeFormat);

// For the time message, from the locale's long time format, which carries the seconds: without
// the time-zone field.
QString messageTime(const QString &longTimeFormat);

// How long until the clock next shows a new minute (from 1 to 60000 ms).
int msecsToNextMinute(const QTime &time);

} // namespace ClockFormats
