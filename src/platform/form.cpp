#include "form.h"

#include "window_timer.h"

#include <QCloseEvent>

Form::Form(const QString &designName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(designName);
    setAttribute(Qt::WA_DeleteOnClose);
}

Form::~Form() = default;

WindowTimer *Form::addTimer(std::unique_ptr<WindowTimer> timer)
{
    m_timers.push_back(std::move(timer));
    return m_timers.back().get();
}

void Form::closeEvent(QCloseEvent *event)
{
    onUnload();
    for (const auto &timer : m_timers)
        timer->setEnabled(false);
    m_unloaded = true;
    event->accept();
}

Form *WindowSlot::show()
{
    if (!window() && m_factory)
        m_window = m_factory();
    Form *form = window();
    if (form) {
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
    return m_window && !m_window->isUnloaded() ? m_window.data() : nullptr;
}
