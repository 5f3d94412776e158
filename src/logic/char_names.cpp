#include "char_names.h"

#include <algorithm>

namespace {

// The texts stand exactly as users have always seen them, "NAC" and "substitute" included.
constexpr CharNameRow table[] = {
    { 0, "NUL", "Null Character" },
    { 1, "SOH", "Start of Header" },
    { 2, "STX", "Start of Text" },
    { 3, "ETX", "End of Text" },
    { 4, "EOT", "End of Transmission" },
    { 5, "ENQ", "Enquiry" },
    { 6, "ACK", "Acknowledgement" },
    { 7, "BEL", "Bell" },
    { 8, "BS", "Backspace" },
    { 9, "HT", "Horizontal Tab" },
    { 10, "LF", "Line Feed" },
    { 11, "VT", "Vertical Tab" },
    { 12, "FF", "Form Feed" },
    { 13, "CR", "Carriage Return" },
    { 14, "SO", "Shift Out" },
    { 15, "SI", "Shift In" },
    { 16, "DLE", "Data Link Escape" },
    { 17, "DC1", "Device Control 1" },
    { 18, "DC2", "Device Control 2" },
    { 19, "DC3", "Device Control 3" },
    { 20, "DC4", "Device Control 4" },
    { 21, "NAC", "Negative Acknowledgement" },
    { 22, "SYN", "Synchronous Idle" },
    { 23, "ETB", "End of Transmission Block" },
    { 24, "CAN", "Cancel" },
    { 25, "EM", "End of Medium" },
    { 26, "SUB", "substitute" },
    { 27, "ESC", "Escape" },
    { 28, "FS", "File Separator" },
    { 29, "GS", "Group Separator" },
    { 30, "RS", "Record Separator" },
    { 31, "US", "Unit Separator" },
    { 32, "SP", "Space" },
    { 33, nullptr, "Exclamation Mark" },
    { 34, nullptr, "Double Quotes" },
    { 35, nullptr, "Number Sign" },
    { 36, nullptr, "Dollar Sign" },
    { 37, nullptr, "Percent Sign" },
    { 38, nullptr, "Ampersand" },
    { 39, nullptr, "Single Quote / Apostrophe" },
    { 40, nullptr, "Opening Parenthesis" },
    { 41, nullptr, "Closing Parenthesis" },
    { 42, nullptr, "Asterisk" },
    { 43, nullptr, "Plus Sign" },
    { 44, nullptr, "Comma" },
    { 45, nullptr, "Hyphen / Minus Sign / Dash" },
    { 46, nullptr, "Dot" },
    { 47, nullptr, "Forward Slash" },
    { 58, nullptr, "Colon" },
    { 59, nullptr, "Semicolon" },
    { 60, nullptr, "Less Than Sign" },
    { 61, nullptr, "Equal Sign" },
    { 62, nullptr, "Greater Than Sign" },
    { 63, nullptr, "Question Mark" },
    { 64, nullptr, "AT Symbol" },
    { 91, nullptr, "Opening Bracket" },
    { 92, nullptr, "Back Slash" },
    { 93, nullptr, "Closing Bracket" },
    { 94, nullptr, "Caret / Circumflex Accent" },
    { 95, nullptr, "Underscore" },
    { 96, nullptr, "Grave Accent" },
    { 123, nullptr, "Opening Brace" },
    { 124, nullptr, "Vertical Bar" },
    { 125, nullptr, "Closing Brace" },
    { 126, nullptr, "Tilde" },
    { 127, "DEL", "Delete" },
};

static_assert(std::is_sorted(std::begin(table), std::end(table),
    [](const CharNameRow &a, const CharNameRow &b) { return a.code < b.code; }));

} // namespace

const CharNameRow *CharNames::find(int code)
{
    const auto *row = std::lower_bound(std::begin(table), std::end(table), code,
        [](const CharNameRow &r, int c) { return r.code < c; });
    return row != std::end(table) && row->code == code ? row : nullptr;
}

std::span<const CharNameRow> CharNames::rows()
{
    return table;
}
