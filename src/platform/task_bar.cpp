#include "task_bar.h"

#include <QWidget>

#if defined(_WIN32)
#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <utility>

namespace {

// An owned window has no task-bar button, so one hidden window owns every window kept out of the
// bar. The tool-window style would keep them out as well, but gives a dialog the small title bar
// of a tool window. The owner is never shown, so it has no button itself, and it never comes
// between the program's windows. Qt hands a window's transient parent to Windows as its owner
// each time it shows the window; this sets it again just before, as a widget that is given new
// flags may lose it.
class HiddenOwner final : public QWindow
{
public:
    static HiddenOwner &instance()
    {
        if (!owner) {
            owner = new HiddenOwner;
            owner->create();
            // Gone before the platform that made it; Qt lets go of the windows it owns first.
            qAddPostRoutine([] { delete std::exchange(owner, nullptr); });
        }
        return *owner;
    }

    void own(QWidget *window) { window->installEventFilter(this); }

private:
    static inline HiddenOwner *owner = nullptr;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (QWindow *shown = static_cast<QWidget *>(watched)->windowHandle())
                shown->setTransientParent(this);
        }
        return false;
    }
};

} // namespace
#elif defined(GLYPH_HAVE_XCB)
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

// The state and the two it takes, asked for all at once and then awaited: one round trip to the
// server rather than one a name, which counts before a window's first frame on a busy display.
constexpr std::array<const char *, 3> atomNames { "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR",
    "_NET_WM_STATE_SKIP_PAGER" };

std::array<xcb_atom_t, atomNames.size()> internAtoms(xcb_connection_t *connection)
{
    std::array<xcb_intern_atom_cookie_t, atomNames.size()> cookies {};
    for (std::size_t i = 0; i < atomNames.size(); ++i) {
        cookies[i] = xcb_intern_atom(
            connection, false, static_cast<uint16_t>(std::strlen(atomNames[i])), atomNames[i]);
    }
    std::array<xcb_atom_t, atomNames.size()> atoms {};
    for (std::size_t i = 0; i < atomNames.size(); ++i) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr), &std::free);
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return atoms;
}

} // namespace
#endif

void keepOutOfTaskBar(QWidget *window)
{
#if defined(_WIN32)
    // Where another desktop needs the tool type to keep it off its bar, the owner does that here.
    if (window->windowType() == Qt::Tool)
        window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    HiddenOwner::instance().own(window);
#elif defined(GLYPH_HAVE_XCB)
    // Task bars differ in which window types they list, so say it with the state meant for it.
    // Qt merges the states it sets itself into this property when it maps the window.
    // Only the xcb platform has a window manager to ask: the offscreen one of the tests answers
    // the X11 interface too, but without a connection.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto atoms = internAtoms(connection);
    if (std::ranges::find(atoms, xcb_atom_t(XCB_ATOM_NONE)) != atoms.end())
        return;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, atoms[0], XCB_ATOM_ATOM, 32,
        static_cast<uint32_t>(atoms.size() - 1), &atoms[1]);
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}
