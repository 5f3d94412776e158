#include "pressable_accessible.h"

#include <QAbstractButton>
#include <QLabel>

PressableAccessible::PressableAccessible(
    QWidget *widget, QAccessible::Role role, std::function<void()> press)
    : QAccessibleWidget(widget, role)
    , m_press(std::move(press))
{ }

QString PressableAccessible::text(QAccessible::Text t) const
{
    const QString text = QAccessibleWidget::text(t);
    const auto *label = qobject_cast<const QLabel *>(widget());
    return t == QAccessible::Name && text.isEmpty() && label ? label->text() : text;
}

QAccessible::State PressableAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget());
        button && button->isCheckable()) {
        state.checkable = true;
        state.checked = button->isChecked();
    }
    return state;
}

QStringList PressableAccessible::actionNames() const
{
    return { pressAction() };
}

// The press runs once the screen reader has its answer, as a button's does: a press may open a
// modal message box, and a screen reader still waiting for the reply could not read it out.
void PressableAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        QMetaObject::invokeMethod(widget(), m_press, Qt::QueuedConnection);
}
