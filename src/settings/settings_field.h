#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// The first field of a settings file: leading blanks are skipped and the field ends at a comma,
// at the line end or at the end of the data.
namespace SettingsField {

// Nothing when the data is empty: reading a field there is reading past the end of the file.
// A UTF-8 byte-order mark before the field is skipped.
std::optional<QByteArray> first(const QByteArray &data);

struct Integer
{
    enum Status { Ok, NotANumber, OutOfRange };
    Status status;
    std::int16_t value;
};

// A decimal number (as toNumber reads it) rounded to the nearest whole number, a half going to
// the even neighbour.
Integer toInteger(const QByteArray &field);

// A decimal number, with fraction and exponent allowed; nothing for text.
std::optional<double> toNumber(const QByteArray &field);

// The field as a message can show it: quoted, control bytes made visible, long ones cut short.
QString quoted(const QByteArray &field);

} // namespace SettingsField
