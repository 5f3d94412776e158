#include "code_page.h"

#include <iterator>
#include <windows.h>

namespace win32 {

namespace {

constexpr std::int16_t questionMark = '?';

std::wstring utf16(char32_t character)
{
    if (character < 0x10000)
        return std::wstring(1, static_cast<wchar_t>(character));
    const char32_t offset = character - 0x10000;
    return { static_cast<wchar_t>(0xD800 + (offset >> 10)),
        static_cast<wchar_t>(0xDC00 + (offset & 0x3FF)) };
}

} // namespace

std::int16_t ansiCodeOf(char32_t character)
{
    const std::wstring text = utf16(character);
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    // A UTF-8 code page refuses the best-fit flag and the default-character report, and its
    // multi-byte sequences are no double-byte codes.
    const bool utf8 = GetACP() == CP_UTF8;
    const int length = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text.data(),
        int(text.size()), bytes, int(sizeof bytes), nullptr, utf8 ? nullptr : &usedDefault);
    if (utf8)
        return length == 1 ? static_cast<unsigned char>(bytes[0]) : questionMark;
    if (length == 1 && !usedDefault)
        return static_cast<unsigned char>(bytes[0]);
    if (length == 2 && !usedDefault)
        return static_cast<std::int16_t>(
            (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]));
    return questionMark;
}

std::wstring textOfAnsiCode(std::int16_t code)
{
    if (code == 0)
        return {};
    const auto value = static_cast<std::uint16_t>(code);
    const auto lead = static_cast<BYTE>(value >> 8);
    // A single-byte code page would otherwise read a two-byte code as two characters.
    if (lead != 0 && !IsDBCSLeadByte(lead))
        return {};
    const char bytes[2] = { static_cast<char>(lead), static_cast<char>(value & 0xFF) };
    const int length = lead != 0 ? 2 : 1;
    wchar_t wide[4] = {};
    const int wideLength = MultiByteToWideChar(
        CP_ACP, MB_ERR_INVALID_CHARS, bytes + (2 - length), length, wide, int(std::size(wide)));
    return std::wstring(wide, wideLength > 0 ? std::size_t(wideLength) : 0);
}

} // namespace win32
