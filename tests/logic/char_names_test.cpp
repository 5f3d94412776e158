#include "logic/char_names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

std::string orNull(const char *text)
{
    return text ? std::string(text) : std::string("<none>");
}

// The table's shape: one row per control code 0 to 32 and 127, each with an abbreviation, and one
// per punctuation character without one, in code order, each found by its own code.
TEST(CharNames, TableHoldsTheControlCodesAndThePunctuationInCodeOrder)
{
    const auto rows = CharNames::rows();
    ASSERT_EQ(rows.size(), 66u);
    int previous = -1;
    for (const CharNameRow &row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_GT(row.code, previous);
        previous = row.code;
        EXPECT_EQ(CharNames::find(row.code), &row);
        const bool control = row.code <= 32 || row.code == 127;
        EXPECT_EQ(row.abbreviation != nullptr, control);
        EXPECT_TRUE(control || std::ispunct(row.code));
        EXPECT_NE(orNull(row.name), "");
    }
}

// The rows at the edges of each run of codes.
TEST(CharNames, BoundaryRowsHoldTheirTexts)
{
    const struct
    {
        int code;
        const char *abbreviation;
        const char *name;
    } expected[] = {
        { 0, "NUL", "Null Character" },
        { 21, "NAC", "Negative Acknowledgement" },
        { 26, "SUB", "substitute" },
        { 32, "SP", "Space" },
        { 33, nullptr, "Exclamation Mark" },
        { 47, nullptr, "Forward Slash" },
        { 58, nullptr, "Colon" },
        { 64, nullptr, "AT Symbol" },
        { 91, nullptr, "Opening Bracket" },
        { 96, nullptr, "Grave Accent" },
        { 123, nullptr, "Opening Brace" },
        { 126, nullptr, "Tilde" },
        { 127, "DEL", "Delete" },
    };
    for (const auto &row : expected) {
        SCOPED_TRACE(row.code);
        const CharNameRow *found = CharNames::find(row.code);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(orNull(found->abbreviation), orNull(row.abbreviation));
        EXPECT_EQ(orNull(found->name), orNull(row.name));
    }
}

TEST(CharNames, DigitsLettersAndCodesOutsideZeroTo127HaveNoRow)
{
    for (const int code : { int('0'), int('9'), int('A'), int('Z'), int('a'), int('z'), 128, 255,
             8364, 32767, -1, -63, -32768 }) {
        SCOPED_TRACE(code);
        EXPECT_EQ(CharNames::find(code), nullptr);
    }
}

} // namespace
