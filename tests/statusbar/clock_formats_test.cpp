#include "qt_printers.h"
#include "statusbar/clock_formats.h"

#include <gtest/gtest.h>

#include <QTime>

namespace {

struct FormatCase
{
    const char *locale; // where such a format comes from
    const char *format;
    const char *expected;
};

TEST(ClockFormatsTest, PanelTimeDropsSecondsWithTheirSeparator)
{
    const FormatCase cases[] = {
        { "C", "HH:mm:ss", "HH:mm" },
        { "dot separator", "HH.mm.ss", "HH.mm" },
        { "seconds before the day period", "h:mm:ss AP", "h:mm AP" },
        { "most locales have none", "h:mm AP", "h:mm AP" },
        { "a quoted s stays", "H 'h' mm 's'", "H 'h' mm 's'" },
    };
    for (const FormatCase &c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(
            ClockFormats::panelTime(QString::fromUtf8(c.format)), QString::fromUtf8(c.expected));
    }
}

TEST(ClockFormatsTest, MessageTimeDropsTheTimeZoneAndKeepsTheSeconds)
{
    const FormatCase cases[] = {
        { "C", "HH:mm:ss t", "HH:mm:ss" },
        { "zone after a comma", "h:mm:ss AP, t", "h:mm:ss AP" },
        { "zone in brackets", "H:mm:ss (t)", "H:mm:ss" },
        { "zone in square brackets", "APh:mm:ss [t]", "APh:mm:ss" },
        { "zone first", "t HH:mm:ss", "HH:mm:ss" },
        { "quoted words stay", "'Klock' H.mm:ss (t)", "'Klock' H.mm:ss" },
        { "an abbreviation's full stop stays", "H:mm:ss 'ч'. t", "H:mm:ss 'ч'." },
        { "units as letters", "H時mm分ss秒 t", "H時mm分ss秒" },
        { "no zone", "HH:mm:ss", "HH:mm:ss" },
    };
    for (const FormatCase &c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(
            ClockFormats::messageTime(QString::fromUtf8(c.format)), QString::fromUtf8(c.expected));
    }
}

TEST(ClockFormatsTest, NextMinuteIsBetweenOneMillisecondAndAMinuteAway)
{
    const std::pair<QTime, int> cases[] = {
        { QTime(12, 0, 0, 0), 60000 },
        { QTime(12, 0, 59, 999), 1 },
        { QTime(23, 59, 30, 0), 30000 },
        { QTime(0, 0, 0, 1), 59999 },
    };
    for (const auto &[time, expected] : cases) {
        SCOPED_TRACE(time.toString(Qt::ISODateWithMs).toStdString());
        EXPECT_EQ(ClockFormats::msecsToNextMinute(time), expected);
    }
}

} // namespace
