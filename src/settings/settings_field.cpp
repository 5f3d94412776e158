#include "settings_field.h"

#include "logic/nearest_int16.h"

#include <cmath>

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
    const std::optional<double> number = toNumber(field);
    if (!number)
        return { Integer::NotANumber, 0 };
    // A hand-edited "1.0" means 1; the 16-bit read rounds a half to the even neighbour.
    if (const std::optional<std::int16_t> value = Numbers::nearestInt16(*number))
        return { Integer::Ok, *value };
    return { Integer::OutOfRange, 0 };
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
