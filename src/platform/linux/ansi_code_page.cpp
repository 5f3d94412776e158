#include "platform/ansi_code_page.h"

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes it leaves undefined map to the C1 control of the
// same number, as Windows' own conversion does.
constexpr char16_t high[32] = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

} // namespace

std::int16_t AnsiCodePage::fromUnicode(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<std::int16_t>(character);
    for (int i = 0; i < 32; ++i) {
        if (high[i] == character)
            return static_cast<std::int16_t>(0x80 + i);
    }
    return unmappable;
}

QString AnsiCodePage::toUnicode(std::int16_t code)
{
    if (code <= 0 || code > 0xFF)
        return {};
    if (code >= 0x80 && code < 0xA0)
        return QString(QChar(high[code - 0x80]));
    return QString(QChar(static_cast<char16_t>(code)));
}
