#include "key_codes.h"

#include "platform/ansi_code_page.h"

#include <QKeyEvent>

namespace {

std::optional<std::int16_t> controlCombination(int key, bool shift)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    switch (key) {
    case Qt::Key_Space:
        return 32;
    case Qt::Key_At:
        return 0;
    case Qt::Key_2:
        return shift ? std::optional<std::int16_t>(0) : std::nullopt;
    case Qt::Key_BracketLeft:
        return 27;
    case Qt::Key_Backslash:
        return 28;
    case Qt::Key_BracketRight:
        return 29;
    case Qt::Key_AsciiCircum:
        return 30;
    case Qt::Key_6:
        return shift ? std::optional<std::int16_t>(30) : std::nullopt;
    case Qt::Key_Underscore:
        return 31;
    case Qt::Key_Minus:
        return shift ? std::optional<std::int16_t>(31) : std::nullopt;
    case Qt::Key_Backspace:
        return 127;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 10;
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<std::int16_t> KeyCodes::fromKeyEvent(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier) || modifiers.testFlag(Qt::MetaModifier);
    const int key = event.key();

    // Ctrl+Alt is AltGr on Windows keyboards and types characters; a plain Alt chord types none.
    if (ctrl && !alt)
        return controlCombination(key, modifiers.testFlag(Qt::ShiftModifier));
    if (alt && !ctrl)
        return std::nullopt;

    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }

    // Only printable text counts: Delete, for one, carries "\x7f" on some platforms.
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char32_t character = text.toUcs4().value(0);
    if (character < 0x20 || character == 0x7F)
        return std::nullopt;
    return AnsiCodePage::fromUnicode(character);
}
