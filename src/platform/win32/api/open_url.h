#pragma once

#include <string>
#include <thread>

namespace Win32 {

// Hands the address to the shell's "Open" verb, asking for a shown window, on a thread of its own
// that ends when the shell has handed it on or given up; whatever the shell answers is not looked
// at. The caller lets the thread go, or waits for it.
[[nodiscard]] std::thread openUrl(const std::string &url);

} // namespace Win32
