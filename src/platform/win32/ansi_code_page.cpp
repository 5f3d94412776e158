#include "platform/ansi_code_page.h"

#include "platform/win32/api/code_page.h"

std::int16_t AnsiCodePage::fromUnicode(char32_t character)
{
    return win32::ansiCodeOf(character);
}

QString AnsiCodePage::toUnicode(std::int16_t code)
{
    return QString::fromStdWString(win32::textOfAnsiCode(code));
}
