#include "clock_formats.h"

#include <QStringList>
#include <QTime>

namespace {

bool isFieldLetter(QChar c)
{
    return c.isLetter() && c.unicode() < 0x80;
}

// A format as the pieces Qt reads it in: runs of one field letter, quoted literals, and runs of
// other literal characters, so that removing a field never cuts into a quoted word.
QStringList pieces(const QString &format)
{
    QStringList result;
    qsizetype at = 0;
    while (at < format.size()) {
        const QChar first = format.at(at);
        qsizetype end = at + 1;
        if (first == u'\'') {
            while (end < format.size() && format.at(end) != u'\'')
                ++end;
            end = std::min(end + 1, format.size());
        } else if (isFieldLetter(first)) {
            while (end < format.size() && format.at(end) == first)
                ++end;
        } else {
            while (end < format.size() && format.at(end) != u'\'' && !isFieldLetter(format.at(end)))
                ++end;
        }
        result.append(format.mid(at, end - at));
        at = end;
    }
    return result;
}

bool isField(const QString &piece, QChar letter)
{
    return piece.startsWith(letter);
}

// Drops each field of the given letter together with the separator that joins it to the field
// before (":ss", ", t"), or to the field after when it comes first ("t "). Separators in quotes
// and those holding letters belong to the words around them and stay.
QString withoutField(const QString &format, QChar letter, const QString &separatorCharacters)
{
    const auto isSeparator = [&](const QString &piece) {
        if (piece.isEmpty() || isFieldLetter(piece.front()) || piece.front() == u'\'')
            return false;
        for (const QChar c : piece) {
            if (!c.isSpace() && !separatorCharacters.contains(c))
                return false;
        }
        return true;
    };
    QStringList kept = pieces(format);
    for (qsizetype i = 0; i < kept.size();) {
        if (!isField(kept.at(i), letter)) {
            ++i;
            continue;
        }
        kept.removeAt(i);
        // "(t)": the closing bracket goes with the field, the opening one with the separator.
        if (i < kept.size() && isSeparator(kept.at(i))
            && (kept.at(i).front() == u')' || kept.at(i).front() == u']')) {
            kept[i].remove(0, 1);
            if (kept.at(i).isEmpty())
                kept.removeAt(i);
        }
        if (i > 0 && isSeparator(kept.at(i - 1))) {
            kept.removeAt(--i);
        } else if (i < kept.size() && isSeparator(kept.at(i))) {
            kept.removeAt(i);
        }
    }
    return kept.join(QString()).trimmed();
}

} // namespace

QString ClockFormats::panelTime(const QString &shortTimeFormat)
{
    return withoutField(shortTimeFormat, u's', QStringLiteral(":."));
}

QString ClockFormats::messageTime(const QString &longTimeFormat)
{
    return withoutField(longTimeFormat, u't', QStringLiteral(",()[]"));
}

int ClockFormats::msecsToNextMinute(const QTime &time)
{
    return 60000 - (time.second() * 1000 + time.msec());
}
