#include "app/conversion.h"
#include "logic/char_names.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using Conversion::CharToCodeKey;

namespace {

constexpr int int16Min = std::numeric_limits<std::int16_t>::min();
constexpr int int16Max = std::numeric_limits<std::int16_t>::max();

// ---- Character to code -------------------------------------------------------------------------

struct NamedKey
{
    int code;
    const char *name;
    bool cancelled;
};

TEST(CharToCodeKey, KeysWithANameWriteItIntoTheBoxAndShowTheirCode)
{
    const NamedKey keys[] = {
        { 8, "Backspace Key", false },
        { 13, "Enter Key", false },
        { 27, "Escape Key", false },
        // The blank would be invisible in the box, so the key itself never reaches it.
        { 32, "Space Key", true },
    };
    for (const NamedKey &key : keys) {
        SCOPED_TRACE(key.code);
        const CharToCodeKey result = Conversion::charToCodeKey(std::int16_t(key.code));
        EXPECT_EQ(result.nameInBox, QString::fromLatin1(key.name));
        EXPECT_EQ(result.cancelled, key.cancelled);
        EXPECT_EQ(result.resultText, QString::number(key.code));
    }
}

TEST(CharToCodeKey, ControlCodesBelow30AndDeleteAndNegativeCodesAreRefusedSilently)
{
    std::vector<int> refused { 127, -1, -2, -20000, int16Min };
    for (int code = 0; code < 30; ++code) {
        if (code != 8 && code != 13 && code != 27)
            refused.push_back(code);
    }
    for (const int code : refused) {
        SCOPED_TRACE(code);
        const CharToCodeKey result = Conversion::charToCodeKey(std::int16_t(code));
        EXPECT_TRUE(result.cancelled);
        EXPECT_TRUE(result.nameInBox.isEmpty());
        EXPECT_TRUE(result.resultText.isEmpty());
    }
}

TEST(CharToCodeKey, PrintableAndHighCodesPassThroughWithTheirDecimalCode)
{
    const std::pair<int, const char *> keys[] = {
        { 30, "30" },
        { 31, "31" },
        { 33, "33" },
        { 65, "65" },
        { 126, "126" },
        { 128, "128" },
        { 233, "233" },
        { 255, "255" },
        { 937, "937" },
        { int16Max, "32767" },
    };
    for (const auto &[code, text] : keys) {
        SCOPED_TRACE(code);
        const CharToCodeKey result = Conversion::charToCodeKey(std::int16_t(code));
        EXPECT_FALSE(result.cancelled);
        EXPECT_TRUE(result.nameInBox.isEmpty());
        EXPECT_EQ(result.resultText, QString::fromLatin1(text));
    }
}

TEST(CharToCodeKey, WholeSixteenBitRangeFollowsTheRules)
{
    for (int code = int16Min; code <= int16Max; ++code) {
        const CharToCodeKey result = Conversion::charToCodeKey(std::int16_t(code));
        const bool named = code == 8 || code == 13 || code == 27 || code == 32;
        const bool refused = !named && (code < 30 || code == 127);
        ASSERT_EQ(result.cancelled, refused || code == 32) << code;
        ASSERT_EQ(result.nameInBox.isEmpty(), !named) << code;
        ASSERT_EQ(result.resultText, refused ? QString() : QString::number(code)) << code;
    }
}

TEST(NumericInputKey, OnlyDigitsAndBackspaceAreTaken)
{
    for (int code = int16Min; code <= int16Max; ++code) {
        const bool expected = (code >= '0' && code <= '9') || code == 8;
        ASSERT_EQ(Conversion::isNumericInputKey(std::int16_t(code)), expected) << code;
    }
}

// ---- Pasted text to a number -------------------------------------------------------------------

struct LeadingNumberCase
{
    const char16_t *text;
    std::optional<double> expected;
};

TEST(LeadingNumber, ReadsTheNumberAtTheStartIgnoringBlanksAndTrailingText)
{
    const LeadingNumberCase cases[] = {
        { u"65", 65 },
        { u"007", 7 },
        { u" 6 5", 65 },
        { u"6\t5\r\n", 65 },
        { u"1.5", 1.5 },
        { u"-5", -5 },
        { u"+7", 7 },
        { u"1e2", 100 },
        { u"1E+2", 100 },
        { u"1e-1", 0.1 },
        { u"1d2", 100 },
        { u"1D2", 100 },
        { u"12a", 12 },
        { u"5e", 5 },
        { u"5e+", 5 },
        { u"5ex", 5 },
        { u".5", 0.5 },
        { u"65,5", 65 },
        // A digit of another script is as much "not a number" as a letter is.
        { u"65\u0663", 65 },
        { u"65\uFF15", 65 },
    };
    for (const LeadingNumberCase &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(Conversion::leadingNumber(text), c.expected);
    }
}

TEST(LeadingNumber, TextThatDoesNotStartWithANumberGivesNothing)
{
    for (const char16_t *text :
        { u"abc", u"", u"   ", u"-", u"+", u".", u"-.", u"e5", u"d5", u"a12", u"\u0663" }) {
        const QString input = QString::fromUtf16(text);
        SCOPED_TRACE(input.toStdString());
        EXPECT_EQ(Conversion::leadingNumber(input), std::nullopt);
    }
}

TEST(LeadingNumber, ANumberTooSmallForADoubleIsZeroAndOneTooLargeIsNothing)
{
    const QString tinyFraction = QStringLiteral("0.") + QString(400, u'0') + u'1';
    EXPECT_EQ(Conversion::leadingNumber(tinyFraction), 0.0);
    EXPECT_EQ(Conversion::leadingNumber(QStringLiteral("-1e-400")), 0.0);
    EXPECT_EQ(Conversion::leadingNumber(QString(400, u'9')), std::nullopt);
    EXPECT_EQ(Conversion::leadingNumber(QStringLiteral("1e400")), std::nullopt);
}

// ---- Code to character -------------------------------------------------------------------------

struct DescribeCase
{
    int code;
    QString abbreviation;
    QString name;
};

TEST(DescribeCode, ShowsTheCharacterOrAbbreviationWithTheName)
{
    const QString previous = QStringLiteral("previous");
    const DescribeCase cases[] = {
        { 65, QStringLiteral("A"), QString() },
        { 48, QStringLiteral("0"), QString() },
        { 122, QStringLiteral("z"), QString() },
        { 0, QStringLiteral("NUL"), QStringLiteral("Null Character") },
        { 7, QStringLiteral("BEL"), QStringLiteral("Bell") },
        { 21, QStringLiteral("NAC"), QStringLiteral("Negative Acknowledgement") },
        { 32, QStringLiteral("SP"), QStringLiteral("Space") },
        { 127, QStringLiteral("DEL"), QStringLiteral("Delete") },
        { 34, QStringLiteral("\""), QStringLiteral("Double Quotes") },
        { 126, QStringLiteral("~"), QStringLiteral("Tilde") },
        { 128, QString(QChar(0x0080)), QString() },
        { 233, QString(QChar(0x00E9)), QString() },
        { 937, QString(QChar(0x03A9)), QString() },
        { 999, QString(QChar(0x03E7)), QString() },
        { int16Max, QString(QChar(0x7FFF)), QString() },
    };
    for (const DescribeCase &c : cases) {
        SCOPED_TRACE(c.code);
        const Conversion::CharInfo info = Conversion::describeCode(std::int16_t(c.code), previous);
        EXPECT_EQ(info.abbreviation, c.abbreviation);
        EXPECT_EQ(info.name, c.name);
    }
}

TEST(DescribeCode, NegativeCodeKeepsThePreviousTextAndHasNoName)
{
    for (const int code : { -1, -63, -20000, int16Min }) {
        SCOPED_TRACE(code);
        const Conversion::CharInfo info
            = Conversion::describeCode(std::int16_t(code), QStringLiteral("BEL"));
        EXPECT_EQ(info.abbreviation, QStringLiteral("BEL"));
        EXPECT_TRUE(info.name.isEmpty());
    }
}

TEST(DescribeCode, EveryNamedRowShowsItsAbbreviationOrElseTheCharacterNeverThePreviousText)
{
    const QString previous = QStringLiteral("previous");
    for (const CharNameRow &row : CharNames::rows()) {
        SCOPED_TRACE(row.code);
        const Conversion::CharInfo info = Conversion::describeCode(row.code, previous);
        const QString expected = row.abbreviation ? QString::fromLatin1(row.abbreviation)
                                                  : QString(QChar(char16_t(row.code)));
        EXPECT_EQ(info.abbreviation, expected);
        EXPECT_EQ(info.name, QString::fromLatin1(row.name));
    }
}

} // namespace
