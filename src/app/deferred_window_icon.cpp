#include "deferred_window_icon.h"

#include <QGuiApplication>
#include <QWindow>

namespace {

class FirstExposeWatch : public QObject
{
public:
    explicit FirstExposeWatch(std::function<QIcon()> loadIcon)
        : QObject(qApp)
        , m_loadIcon(std::move(loadIcon))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType()
            && static_cast<QWindow *>(watched)->isExposed()) {
            qApp->removeEventFilter(this);
            // The expose paints and flushes the frame before control comes back to the event
            // loop, which only then reaches this queued call.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QGuiApplication::setWindowIcon(m_loadIcon());
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<QIcon()> m_loadIcon;
};

} // namespace

void setWindowIconAfterFirstFrame(std::function<QIcon()> loadIcon)
{
    new FirstExposeWatch(std::move(loadIcon));
}
