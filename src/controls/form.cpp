#include "form.h"

#include "platform/freed_memory.h"
#include "platform/window_timer.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPixmapCache>

namespace {

// Qt reads a window as a dialog only when it is a QDialog; a form is a plain widget to it, which a
// screen reader hears as a filler. Either way Qt names a window by its title.
QAccessibleInterface *accessibleForm(const QString &, QObject *object)
{
    auto *form = qobject_cast<Form *>(object);
    if (!form || form->kind() != Form::Kind::Dialog)
        return nullptr;
    return new QAccessibleWidget(form, QAccessible::Dialog);
}

} // namespace

Form::Form(const QString &designName, QWidget *parent, Kind kind)
    : QWidget(parent)
    , m_kind(kind)
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleForm), true);
    Q_UNUSED(factoryInstalled);
    setObjectName(designName);
    setAttribute(Qt::WA_DeleteOnClose);
}

// The style caches what it draws for a control, a button's bevel for one, under the identity of
// the control's palette, and each new window gets palettes of its own. Left in the cache, what
// a closed window's controls drew can never be found again and would fill it to its 10 MB limit;
// the live windows' few pictures are simply drawn afresh. The window's controls go only after
// this body, so their memory is handed back once control is in the event loop again.
Form::~Form()
{
    QPixmapCache::clear();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), &returnFreedMemory, Qt::QueuedConnection);
}

WindowTimer *Form::addTimer(std::unique_ptr<WindowTimer> timer)
{
    m_timers.push_back(std::move(timer));
    return m_timers.back().get();
}

void Form::setSurfaceMoveHandler(std::function<void()> handler)
{
    m_surfaceMove = std::move(handler);
    setMouseTracking(true);
}

void Form::restoreFromMinimised()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
}

void Form::closeEvent(QCloseEvent *event)
{
    onUnload();
    for (const auto &timer : m_timers)
        timer->setEnabled(false);
    m_unloaded = true;
    event->accept();
    Q_EMIT unloaded();
}

void Form::mouseMoveEvent(QMouseEvent *event)
{
    // A move that a control ignores travels up to the form, but it still lies over that control.
    if (m_surfaceMove && !childAt(event->position().toPoint()))
        m_surfaceMove();
    QWidget::mouseMoveEvent(event);
}

WindowSlot::~WindowSlot()
{
    for (const QPointer<Form> &form : m_windows)
        delete form.data();
}

Form *WindowSlot::show()
{
    if (!window() && m_factory) {
        std::erase_if(m_windows, [](const QPointer<Form> &gone) { return gone.isNull(); });
        Form *created = m_windows.emplace_back(m_factory());
        if (created && m_unloaded)
            QObject::connect(created, &Form::unloaded, created, m_unloaded);
    }
    Form *form = window();
    if (form) {
        form->restoreFromMinimised();
        form->show();
        form->raise();
        form->activateWindow();
    }
    return form;
}

bool WindowSlot::isVisible() const
{
    const Form *form = window();
    return form && form->isVisible();
}

void WindowSlot::unload()
{
    if (Form *form = window())
        form->unload();
}

Form *WindowSlot::window() const
{
    Form *form = m_windows.empty() ? nullptr : m_windows.back().data();
    return form && !form->isUnloaded() ? form : nullptr;
}
