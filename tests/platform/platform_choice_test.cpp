#include "platform/platform_choice.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Environment
{
    const char *name;
    const char *qtQpaPlatform;
    const char *waylandDisplay;
    const char *sessionType;
    const char *display;
    std::optional<QByteArray> expected;
};

TEST(PlatformChoiceTest, WaylandSessionWithAnXServerRunsOnIt)
{
    const Environment cases[] = {
        { "Wayland with X", "", "wayland-0", "wayland", ":0", "xcb;wayland" },
        { "Wayland known by its session type only", "", "", "wayland", ":0", "xcb;wayland" },
        { "Wayland known by its display only", "", "wayland-0", "", ":0", "xcb;wayland" },
        { "the user's own choice wins", "wayland", "wayland-0", "wayland", ":0", std::nullopt },
        { "Wayland without X", "", "wayland-0", "wayland", "", std::nullopt },
        { "an X session is Qt's to pick", "", "", "x11", ":0", std::nullopt },
        { "no display at all", "", "", "", "", std::nullopt },
    };
    for (const Environment &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(preferredQtPlatform(c.qtQpaPlatform, c.waylandDisplay, c.sessionType, c.display),
            c.expected);
    }
}

} // namespace
