#include "ansi_code_page.h"

#ifdef _WIN32
#include <windows.h>

std::int16_t AnsiCodePage::fromUnicode(char32_t character)
{
    const QString text = QString::fromUcs4(&character, 1);
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    // A UTF-8 code page refuses the best-fit flag and the default-character report, and its
    // multi-byte sequences are no double-byte codes. Elsewhere best fit would turn "Ā" into "A".
    const bool utf8 = GetACP() == CP_UTF8;
    const int length = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS,
        reinterpret_cast<LPCWCH>(text.utf16()), int(text.size()), bytes, sizeof bytes, nullptr,
        utf8 ? nullptr : &usedDefault);
    if (utf8)
        return length == 1 ? static_cast<unsigned char>(bytes[0]) : unmappable;
    if (length == 1 && !usedDefault)
        return static_cast<unsigned char>(bytes[0]);
    if (length == 2 && !usedDefault) // lead byte first, so the value is negative as a short
        return static_cast<std::int16_t>(
            (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]));
    return unmappable;
}

QString AnsiCodePage::toUnicode(std::int16_t code)
{
    if (code == 0)
        return {};
    const auto value = static_cast<std::uint16_t>(code);
    char bytes[2];
    int length = 0;
    if (value > 0xFF)
        bytes[length++] = static_cast<char>(value >> 8);
    bytes[length++] = static_cast<char>(value & 0xFF);
    wchar_t wide[4] = {};
    const int wideLength
        = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, length, wide, 4);
    return QString::fromWCharArray(wide, wideLength);
}

#else

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

#endif
