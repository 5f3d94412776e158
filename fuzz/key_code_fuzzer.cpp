// Every key event a user can produce reaches the character-to-code rules: any key, any
// modifiers and any text a keyboard layout or an input method delivers with it.

#include "app/conversion.h"
#include "controls/key_codes.h"
#include "fuzz_check.h"
#include "platform/ansi_code_page.h"

#include <QInputDevice>
#include <QKeyEvent>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

template<typename T> T take(const std::uint8_t *&data, std::size_t &size)
{
    T value {};
    const std::size_t taken = std::min(size, sizeof value);
    std::memcpy(&value, data, taken);
    data += taken;
    size -= taken;
    return value;
}

// What the key-press handler does with a code, checked against the rules every key obeys.
void handle(std::int16_t code)
{
    const Conversion::CharToCodeKey key = Conversion::charToCodeKey(code);
    // A key that is let through shows its code; one that is cancelled shows none, except the
    // space bar, whose name stands in for the invisible blank.
    if (!key.cancelled)
        FUZZ_CHECK(key.resultText == QString::number(code));
    else if (code != 32)
        FUZZ_CHECK(key.resultText.isEmpty() && key.nameInBox.isEmpty());
    (void)Conversion::isNumericInputKey(code);
}

// A character turned into its code page code and back is itself, or it was not in the code
// page and arrived as "?".
void checkRoundTrip(char32_t character, std::int16_t code)
{
    // Code 0 is no character: to the key handler it is a cancelled key.
    if (code == 0 || (code == AnsiCodePage::unmappable && character != U'?'))
        return;
    FUZZ_CHECK(AnsiCodePage::toUnicode(code) == QString::fromUcs4(&character, 1));
}

} // namespace

// Qt makes a keyboard device for the first key event and forgets it only at exit; held here,
// it is not reported as leaked memory.
const QInputDevice *keyboard = nullptr;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    keyboard = QInputDevice::primaryKeyboard();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto key = take<std::int32_t>(data, size);
    const auto modifiers = Qt::KeyboardModifiers(
        Qt::KeyboardModifier(take<std::uint32_t>(data, size) & Qt::KeyboardModifierMask));
    const bool autoRepeat = take<std::uint8_t>(data, size) & 1;
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    const QString text = QString::fromStdU16String(units);

    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text, autoRepeat);
    // The event's own view: the press of a modifier key itself toggles that modifier.
    const Qt::KeyboardModifiers held = event.modifiers();
    const bool ctrl = held.testFlag(Qt::ControlModifier);
    const bool alt = held.testFlag(Qt::AltModifier) || held.testFlag(Qt::MetaModifier);
    if (const std::optional<std::int16_t> code = KeyCodes::fromKeyEvent(event)) {
        // A Ctrl chord types a control code at most; a plain Alt chord types nothing.
        if (ctrl && !alt)
            FUZZ_CHECK((*code >= 0 && *code <= 32) || *code == 127);
        FUZZ_CHECK(!(alt && !ctrl));
        handle(*code);
    }
    // An input method commits its text character by character, without a key.
    for (const char32_t character : text.toUcs4()) {
        const std::int16_t code = AnsiCodePage::fromUnicode(character);
        checkRoundTrip(character, code);
        handle(code);
    }
    return 0;
}
