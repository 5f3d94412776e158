#pragma once

#include <cstdint>
#include <string>

// Key codes in the active ANSI code page, the way Windows hands a typed character to a program
// that is not Unicode: a byte, or for a double-byte character its lead byte and trail byte read
// as one signed 16-bit number, which is then negative.
namespace win32 {

// A character the code page lacks arrives as "?" (63). Windows' best fit is refused: it would
// report a different character as if it had been typed ("Ā" as "A").
std::int16_t ansiCodeOf(char32_t character);

// The text a code stands for; empty for 0 and for codes the code page does not define.
std::wstring textOfAnsiCode(std::int16_t code);

} // namespace win32
