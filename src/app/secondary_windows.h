#pragma once

#include "controls/form.h"

#include <array>

// The single instances of the windows the main window opens, asks about and closes. Each slot
// gets its factory where the program is put together.
struct SecondaryWindows
{
    WindowSlot about;
    WindowSlot author;
    WindowSlot welcome;
    WindowSlot statusDialog;

    // The order in which closing the main window unloads them.
    std::array<WindowSlot *, 4> all() { return { &about, &author, &welcome, &statusDialog }; }
};
