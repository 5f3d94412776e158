#include "platform/task_bar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
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

void keepOutOfTaskBar(QWidget *window)
{
    // Where another desktop needs the tool type to keep it off its bar, the owner does that here.
    if (window->windowType() == Qt::Tool)
        window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    HiddenOwner::instance().own(window);
}
