#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The rules of both conversions, apart from the window that applies them.
namespace Conversion {

// What one key press in character-to-code mode does after the input box has been emptied.
struct CharToCodeKey
{
    QString nameInBox; // "Space Key" and the like, written into the input box; empty for none
    bool cancelled; // the key never reaches the box
    QString resultText; // the decimal code for the result box; empty where it is left as it is
};

CharToCodeKey charToCodeKey(std::int16_t code);

// Code-to-character mode takes digits and Backspace; every other key is refused.
bool isNumericInputKey(std::int16_t code);

// The number the leading part of a text forms, blanks ignored, as the platform's lenient parse
// reads it; nothing when the text does not begin with a number at all.
std::optional<double> leadingNumber(const QString &text);

struct CharInfo
{
    QString abbreviation; // what the result box shows
    QString name; // what the name label shows
};

// A code without a row in the name table and without a character of its own (a negative code)
// keeps the previous result text, so it is passed in.
CharInfo describeCode(std::int16_t code, const QString &previousAbbreviation);

} // namespace Conversion
