#include "settings_field.h"

#include <cmath>
#include <limits>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

QByteArray trimmedBlanks(const QByteArray &field)
{
    qsizetype begin = 0;
    qsizetype end = field.size();
    while (begin < end && isBlank(field.at(begin)))
        ++begin;
    while (end > begin && isBlank(field.at(end - 1)))
        --end;
    return field.mid(begin, end - begin);
}

} // namespace

std::optional<QByteArray> SettingsField::first(const QByteArray &data)
{
    if (data.isEmpty())
        return std::nullopt;
    // Editors that save UTF-8 may put a byte-order mark first; it is no part of the value.
    qsizetype begin = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (begin < data.size() && isBlank(data.at(begin)))
        ++begin;
    qsizetype end = begin;
    while (end < data.size() && data.at(end) != ',' && data.at(end) != '\r' && data.at(end) != '\n')
        ++end;
    return data.mid(begin, end - begin);
}

SettingsField::Integer SettingsField::toInteger(const QByteArray &field)
{
    const QByteArray text = trimmedBlanks(field);
    qsizetype at = 0;
    const bool negative = at < text.size() && text.at(at) == '-';
    if (at < text.size() && (text.at(at) == '-' || text.at(at) == '+'))
        ++at;
    if (at == text.size())
        return { Integer::NotANumber, 0 };
    long magnitude = 0;
    for (; at < text.size(); ++at) {
        if (!isDigit(text.at(at)))
            return { Integer::NotANumber, 0 };
        // Keep counting digits past the limit so "99999x" is still reported as not a number.
        magnitude = std::min<long>(magnitude * 10 + (text.at(at) - '0'), 1L << 20);
    }
    const long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max())
        return { Integer::OutOfRange, 0 };
    return { Integer::Ok, static_cast<std::int16_t>(value) };
}

std::optional<double> SettingsField::toNumber(const QByteArray &field)
{
    const QByteArray text = trimmedBlanks(field);
    // toDouble would also take "inf" and "nan", which no one means by 1 or 0.
    const bool startsLikeNumber = !text.isEmpty()
        && (isDigit(text.at(0)) || text.at(0) == '-' || text.at(0) == '+' || text.at(0) == '.');
    if (!startsLikeNumber)
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString SettingsField::quoted(const QByteArray &field)
{
    constexpr qsizetype shown = 24;
    QString text;
    for (const char c : field.left(shown)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool control = byte < 0x20 || (byte >= 0x7F && byte < 0xA0);
        text += control ? QChar(u'?') : QChar(char16_t(byte));
    }
    if (field.size() > shown)
        text += QStringLiteral("...");
    return QLatin1Char('"') + text + QLatin1Char('"');
}
