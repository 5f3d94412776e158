#include "system_cursor.h"

#include <windows.h>

void Win32::setHandCursor()
{
    // 32649 is IDC_HAND, spelled out because old SDK headers lack the name.
    constexpr WORD handCursorId = 32649;
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(handCursorId)));
}
