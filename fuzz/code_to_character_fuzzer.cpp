// Pasted text reaches the code-to-character conversion through the numeric input box, which
// the key handler never sees: the lenient numeric parse, the 16-bit conversion and the name
// table must give a sound result for any text.

#include "app/conversion.h"
#include "fuzz_check.h"
#include "logic/nearest_int16.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Inputs with an odd first byte are UTF-8, as the clipboard mostly holds; the others are raw
// UTF-16 code units, so unpaired surrogates and every unit are reached as well.
QString textFrom(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return {};
    const auto *rest = reinterpret_cast<const char *>(data + 1);
    const std::size_t restSize = size - 1;
    if (data[0] & 1)
        return QString::fromUtf8(rest, qsizetype(restSize));
    std::u16string units(restSize / 2, u'\0');
    std::memcpy(units.data(), rest, units.size() * sizeof(char16_t));
    return QString::fromStdU16String(units);
}

bool isTypedCode(const QString &text)
{
    if (text.isEmpty() || text.size() > 3)
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// A plain decimal number, blanks anywhere, is read as the C library reads it without them;
// nothing where the text is no such number.
std::optional<double> plainDecimal(const QString &text)
{
    std::string compact;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n')
            continue;
        if (c.unicode() > 0x7F)
            return std::nullopt;
        compact += char(c.unicode());
    }
    const std::size_t digits = std::count_if(
        compact.begin(), compact.end(), [](char c) { return c >= '0' && c <= '9'; });
    const std::size_t signs = compact.empty() || (compact[0] != '+' && compact[0] != '-') ? 0 : 1;
    const std::size_t points = std::count(compact.begin(), compact.end(), '.');
    if (digits == 0 || points > 1 || signs + points + digits != compact.size())
        return std::nullopt;
    // Too many digits for a double is no number at all to the program.
    const double value = std::strtod(compact.c_str(), nullptr);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

void convert(const QString &text)
{
    const std::optional<double> number = Conversion::leadingNumber(text);
    if (const std::optional<double> expected = plainDecimal(text))
        FUZZ_CHECK(number == expected);
    if (!number)
        return;
    FUZZ_CHECK(std::isfinite(*number));
    const std::optional<std::int16_t> code = Numbers::nearestInt16(*number);
    if (std::abs(*number) <= 32767.0)
        FUZZ_CHECK(code);
    if (!code)
        return;
    // The nearest code, a half going to the even neighbour.
    const double distance = std::abs(double(*code) - *number);
    FUZZ_CHECK(distance <= 0.5);
    if (distance == 0.5)
        FUZZ_CHECK(*code % 2 == 0);
    if (isTypedCode(text))
        FUZZ_CHECK(*code == text.toInt());

    const QString previous = QStringLiteral("previous");
    const Conversion::CharInfo info = Conversion::describeCode(*code, previous);
    if (*code < 0) {
        // No row and no character: the result box keeps what it showed.
        FUZZ_CHECK(info.abbreviation == previous && info.name.isEmpty());
        return;
    }
    FUZZ_CHECK(!info.abbreviation.isEmpty());
    FUZZ_CHECK(info.abbreviation != previous);
    if ((*code >= 33 && *code <= 126) || *code >= 128)
        FUZZ_CHECK(info.abbreviation == QString(QChar(char16_t(*code))));
    if (*code > 127)
        FUZZ_CHECK(info.name.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = textFrom(data, size);
    // The box keeps at most three characters of a paste; the rules must hold beyond that too.
    convert(text.left(3));
    convert(text);
    return 0;
}
