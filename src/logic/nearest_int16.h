#pragma once

#include <cstdint>
#include <optional>

namespace Numbers {

// The nearest 16-bit whole number, a half going to the even neighbour; nothing outside
// -32768..32767. A typed or pasted code and a settings file's number are read alike.
std::optional<std::int16_t> nearestInt16(double value);

} // namespace Numbers
