#pragma once

#include <chrono>
#include <string>

namespace Win32 {

// Hands the address, in UTF-8, to the shell's "Open" verb, asking for a shown window, on a thread
// of its own that ends when the shell has handed it on or given up; returns at once. Whatever the
// shell answers is not looked at, and an address that is not UTF-8 is dropped.
void openUrl(const std::string &url);

// Waits until every address given so far has been handed on, for at most `limit`; true when none
// is left on its way.
bool finishOpeningUrls(std::chrono::milliseconds limit);

// Ends the process at once, as std::_Exit does, once the addresses still being handed on are
// through, or after about two seconds: an end in the middle of the shell's work would lose the
// link the user has just clicked.
[[noreturn]] void endProcess(int exitCode);

} // namespace Win32
