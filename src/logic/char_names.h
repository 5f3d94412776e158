#pragma once

#include <cstdint>
#include <span>

// The names the program knows: control codes 0 to 32 and 127 with their abbreviation, and the
// punctuation characters. Digits, letters and codes from 128 up have no row.
struct CharNameRow
{
    std::int16_t code;
    const char *abbreviation; // nullptr where the result box shows the character itself
    const char *name;
};

namespace CharNames {

const CharNameRow *find(int code);
std::span<const CharNameRow> rows();

} // namespace CharNames
