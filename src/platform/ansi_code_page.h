#pragma once

#include <QString>
#include <cstdint>

// Key presses carry the character's code in the system's ANSI code page as a signed 16-bit
// number. On Windows that is the active code page (double-byte characters arrive negative);
// elsewhere it is Windows-1252, the Western default, so "é" is 233 and "€" is 128.
namespace AnsiCodePage {

// A character the code page lacks arrives as "?" (63): that is what the platform's conversion of
// a typed character to the code page delivers.
inline constexpr std::int16_t unmappable = 63;

std::int16_t fromUnicode(char32_t character);

// The text a code stands for; empty for 0 and for codes the code page does not define.
QString toUnicode(std::int16_t code);

} // namespace AnsiCodePage
