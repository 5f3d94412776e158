#pragma once

#include "platform/form.h"

// The single instances of the windows the main window opens, asks about and closes. Each slot
// gets its factory where the program is put together.
struct SecondaryWindows
{
    WindowSlot about;
    WindowSlot author;
    WindowSlot welcome;
    WindowSlot statusDialog;
};
