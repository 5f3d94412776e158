#include "platform/win32/api/code_page.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// Every expectation here is Windows-1252's; under another code page they would all fail, and
// for a reason that has nothing to do with the code.
class WesternCodePage : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 1252u) << "Wine's ANSI code page is not Windows-1252: run the test "
                                      "through scripts/wine.sh, which pins the locale.";
    }
};

struct TypedCharacter
{
    const char *rule;
    char32_t character;
    int code;
};

const TypedCharacter typedCharacters[] = {
    { "ASCII keeps its number", U'A', 65 },
    { "a Latin-1 letter keeps its number", U'\u00E9', 233 },
    { "the euro sign lies among the high bytes", U'\u20AC', 128 },
    { "the last byte", U'\u00FF', 255 },
    { "a letter whose best fit is A is refused", U'\u0100', '?' },
    { "a full-width letter whose best fit is A is refused", U'\uFF21', '?' },
    { "a Greek letter is missing", U'\u03A9', '?' },
    { "an ideograph is missing", U'\u4E2D', '?' },
    { "a character beyond 16 bits is missing", U'\U0001F600', '?' },
};

TEST_F(WesternCodePage, TypedCharactersArriveAsTheirCodeOrAsQuestionMark)
{
    for (const TypedCharacter &typed : typedCharacters) {
        SCOPED_TRACE(typed.rule);
        EXPECT_EQ(win32::ansiCodeOf(typed.character), typed.code);
    }
}

struct HighByte
{
    int code;
    wchar_t character;
};

// The five bytes the code page leaves undefined stand for the C1 control of the same number.
const HighByte highBytes[] = {
    { 0x80, L'\u20AC' },
    { 0x81, L'\u0081' },
    { 0x8D, L'\u008D' },
    { 0x8E, L'\u017D' },
    { 0x9D, L'\u009D' },
    { 0x9F, L'\u0178' },
};

TEST_F(WesternCodePage, HighBytesStandForTheirCharacters)
{
    for (const HighByte &high : highBytes) {
        SCOPED_TRACE(high.code);
        EXPECT_EQ(win32::textOfAnsiCode(std::int16_t(high.code)), std::wstring(1, high.character));
    }
}

TEST_F(WesternCodePage, EveryByteSurvivesARoundTrip)
{
    for (int code = 1; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const std::wstring text = win32::textOfAnsiCode(std::int16_t(code));
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(win32::ansiCodeOf(char32_t(text[0])), code);
    }
}

// A single-byte code page has no lead bytes, so no code above one byte stands for anything.
TEST_F(WesternCodePage, CodeZeroAndCodesOutsideOneByteHaveNoText)
{
    for (const int code : { 0, -1, -32096, -32768, 256, 0x4141, 32767 }) {
        SCOPED_TRACE(code);
        EXPECT_EQ(win32::textOfAnsiCode(std::int16_t(code)), L"");
    }
}

} // namespace
