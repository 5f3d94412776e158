#include "platform/win32/api/system_cursor.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

struct CursorCase
{
    const char *rule;
    LPCSTR before; // the system cursor current before, or none
};

// The current cursor belongs to the thread's input state, which a thread has without a window,
// so the test needs neither a window nor a display.
TEST(Win32HandCursor, MakesTheSystemHandCurrentWhateverWasBefore)
{
    const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr) << "the system has no hand cursor";
    const CursorCase cases[] = {
        { "over the arrow", IDC_ARROW },
        { "over the text beam", IDC_IBEAM },
        { "over no cursor at all", nullptr },
    };
    for (const CursorCase &c : cases) {
        SCOPED_TRACE(c.rule);
        const HCURSOR before = c.before ? LoadCursorA(nullptr, c.before) : nullptr;
        ASSERT_NE(before, hand);
        SetCursor(before);
        ASSERT_EQ(GetCursor(), before) << "the cursor set beforehand did not become current";

        Win32::setHandCursor();
        EXPECT_EQ(GetCursor(), hand);
    }
}

} // namespace
