#pragma once

#include <string>

namespace Win32 {

// Hands the address to the shell's "Open" verb; whatever the shell answers is not looked at.
void openUrl(void *window, const std::string &url);

} // namespace Win32
