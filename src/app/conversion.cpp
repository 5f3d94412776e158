#include "conversion.h"

#include "logic/char_names.h"

#include <cmath>

namespace Conversion {

CharToCodeKey charToCodeKey(std::int16_t code)
{
    switch (code) {
    case 8:
        return { QStringLiteral("Backspace Key"), false, QStringLiteral("8") };
    case 13:
        return { QStringLiteral("Enter Key"), false, QStringLiteral("13") };
    case 27:
        return { QStringLiteral("Escape Key"), false, QStringLiteral("27") };
    case 32:
        // The blank itself would be invisible, so the name stands in the box instead.
        return { QStringLiteral("Space Key"), true, QStringLiteral("32") };
    default:
        break;
    }
    // 30 and 31 are the only control codes let through; negative codes are double-byte
    // characters, which the result box cannot show as one code.
    if (code < 30 || code == 127)
        return { QString(), true, QString() };
    return { QString(), false, QString::number(code) };
}

bool isNumericInputKey(std::int16_t code)
{
    return (code >= '0' && code <= '9') || code == 8;
}

std::optional<double> leadingNumber(const QString &text)
{
    QString compact;
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            compact += c;
    }
    // ASCII digits only: toDouble() reads no others, so a digit of another script ends the number.
    const auto isDigit = [&](qsizetype i) {
        return i < compact.size() && compact.at(i) >= u'0' && compact.at(i) <= u'9';
    };
    qsizetype at = 0;
    if (at < compact.size() && (compact.at(at) == u'-' || compact.at(at) == u'+'))
        ++at;
    bool anyDigit = false;
    for (; isDigit(at); ++at)
        anyDigit = true;
    if (at < compact.size() && compact.at(at) == u'.') {
        ++at;
        for (; isDigit(at); ++at)
            anyDigit = true;
    }
    if (!anyDigit)
        return std::nullopt;
    qsizetype end = at;
    if (at < compact.size() && QStringLiteral("eEdD").contains(compact.at(at))) {
        qsizetype exponent = at + 1;
        if (exponent < compact.size()
            && (compact.at(exponent) == u'-' || compact.at(exponent) == u'+'))
            ++exponent;
        if (isDigit(exponent)) {
            while (isDigit(exponent))
                ++exponent;
            end = exponent;
        }
    }
    QString number = compact.left(end);
    number.replace(u'd', u'e').replace(u'D', u'e');
    bool ok = false;
    const double value = number.toDouble(&ok);
    // The text is a well-formed number here, so a failure is a value beyond a double: too large
    // is no code at all, while too small is read as zero, as the C library and the user read it.
    if (!ok)
        return std::isinf(value) ? std::nullopt : std::optional<double>(0.0);
    return value;
}

CharInfo describeCode(std::int16_t code, const QString &previousAbbreviation)
{
    CharInfo info { previousAbbreviation, QString() };
    if (const CharNameRow *row = CharNames::find(code)) {
        info.name = QString::fromLatin1(row->name);
        if (row->abbreviation)
            info.abbreviation = QString::fromLatin1(row->abbreviation);
    }
    if ((code >= 33 && code <= 126) || code >= 128)
        info.abbreviation = QString(QChar(static_cast<char16_t>(code)));
    return info;
}

} // namespace Conversion
