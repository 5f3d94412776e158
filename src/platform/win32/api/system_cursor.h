#pragma once

namespace Win32 {

// Makes the system's hand cursor the current cursor until the next pointer move resets it.
void setHandCursor();

} // namespace Win32
