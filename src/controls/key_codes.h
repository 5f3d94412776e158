#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace KeyCodes {

// The character code a key press delivers to a text box's key-press handler, or nothing for a
// key that produces no character (arrows, Delete, function keys, Alt combinations, dead keys).
// Backspace, Enter, Escape and the Ctrl combinations get their control codes here from the key
// itself, because Qt's key event carries no text for them on some platforms.
std::optional<std::int16_t> fromKeyEvent(const QKeyEvent &event);

} // namespace KeyCodes
