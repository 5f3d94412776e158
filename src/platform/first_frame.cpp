#include "first_frame.h"

#include <QEvent>
#include <QPointer>
#include <QWindow>

namespace {

class FirstExposeWatch : public QObject
{
public:
    FirstExposeWatch(QObject *watched, QObject *context, std::function<void()> then)
        : QObject(watched)
        , m_context(context)
        , m_then(std::move(then))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType()
            && static_cast<QWindow *>(watched)->isExposed()) {
            parent()->removeEventFilter(this);
            // The window paints and flushes while it handles the expose, before control comes
            // back to the event loop and reaches this queued call.
            if (m_context)
                QMetaObject::invokeMethod(m_context, std::move(m_then), Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QObject> m_context;
    std::function<void()> m_then;
};

} // namespace

void afterFirstFrame(QObject *watched, QObject *context, std::function<void()> then)
{
    new FirstExposeWatch(watched, context, std::move(then));
}
