#include "platform/ansi_code_page.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiCodePage, AsciiMapsToItself)
{
    for (char32_t c = 1; c < 0x80; ++c) {
        SCOPED_TRACE(int(c));
        EXPECT_EQ(AnsiCodePage::fromUnicode(c), std::int16_t(c));
        EXPECT_EQ(AnsiCodePage::toUnicode(std::int16_t(c)), QString(QChar(char16_t(c))));
    }
}

TEST(AnsiCodePage, CodeZeroAndCodesOutsideOneByteHaveNoText)
{
    for (const int code : { 0, -1, -63, -128, -32768, 256, 937, 32767 }) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(AnsiCodePage::toUnicode(std::int16_t(code)).isEmpty());
    }
}

#ifndef _WIN32

struct HighByte
{
    int byte;
    char16_t character;
};

// Windows-1252's printable characters in 0x80..0x9F, as the published table lists them.
const HighByte definedHighBytes[] = {
    { 0x80, 0x20AC },
    { 0x82, 0x201A },
    { 0x83, 0x0192 },
    { 0x84, 0x201E },
    { 0x85, 0x2026 },
    { 0x86, 0x2020 },
    { 0x87, 0x2021 },
    { 0x88, 0x02C6 },
    { 0x89, 0x2030 },
    { 0x8A, 0x0160 },
    { 0x8B, 0x2039 },
    { 0x8C, 0x0152 },
    { 0x8E, 0x017D },
    { 0x91, 0x2018 },
    { 0x92, 0x2019 },
    { 0x93, 0x201C },
    { 0x94, 0x201D },
    { 0x95, 0x2022 },
    { 0x96, 0x2013 },
    { 0x97, 0x2014 },
    { 0x98, 0x02DC },
    { 0x99, 0x2122 },
    { 0x9A, 0x0161 },
    { 0x9B, 0x203A },
    { 0x9C, 0x0153 },
    { 0x9E, 0x017E },
    { 0x9F, 0x0178 },
};

TEST(AnsiCodePageWindows1252, LatinOneCharactersKeepTheirNumber)
{
    EXPECT_EQ(AnsiCodePage::fromUnicode(0x00E9), 233); // é
    EXPECT_EQ(AnsiCodePage::fromUnicode(0x00A0), 160);
    EXPECT_EQ(AnsiCodePage::fromUnicode(0x00FF), 255);
    EXPECT_EQ(AnsiCodePage::toUnicode(233), QString(QChar(0x00E9)));
}

TEST(AnsiCodePageWindows1252, EachPrintableHighByteMapsBothWays)
{
    ASSERT_EQ(std::size(definedHighBytes), 27u);
    for (const HighByte &entry : definedHighBytes) {
        SCOPED_TRACE(entry.byte);
        EXPECT_EQ(AnsiCodePage::fromUnicode(entry.character), entry.byte);
        EXPECT_EQ(
            AnsiCodePage::toUnicode(std::int16_t(entry.byte)), QString(QChar(entry.character)));
    }
}

TEST(AnsiCodePageWindows1252, UndefinedHighBytesStandForTheControlOfTheSameNumber)
{
    for (const int byte : { 0x81, 0x8D, 0x8F, 0x90, 0x9D }) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(AnsiCodePage::fromUnicode(char32_t(byte)), byte);
        EXPECT_EQ(AnsiCodePage::toUnicode(std::int16_t(byte)), QString(QChar(char16_t(byte))));
    }
}

TEST(AnsiCodePageWindows1252, EveryByteSurvivesARoundTrip)
{
    for (int byte = 1; byte <= 255; ++byte) {
        SCOPED_TRACE(byte);
        const QString text = AnsiCodePage::toUnicode(std::int16_t(byte));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(AnsiCodePage::fromUnicode(text.at(0).unicode()), byte);
    }
}

TEST(AnsiCodePageWindows1252, CharactersTheCodePageLacksArriveAsQuestionMark)
{
    for (const char32_t c : { char32_t(0x03A9), char32_t(0x4E2D), char32_t(0x1F600),
             char32_t(0x0100), char32_t(0x20AD) }) {
        SCOPED_TRACE(int(c));
        EXPECT_EQ(AnsiCodePage::fromUnicode(c), 63);
    }
}

#endif

} // namespace
