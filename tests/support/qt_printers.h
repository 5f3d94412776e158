#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Without these, GoogleTest prints a QString as a list of QChar objects' raw bytes, which makes a
// failing comparison unreadable.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << '"' << bytes.toPercentEncoding(" ,.+-").toStdString() << '"';
}
