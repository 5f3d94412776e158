#pragma once

#include <QAccessibleWidget>
#include <functional>

// What a screen reader sees of a widget that acts on a click but that Qt reads under another role:
// a label that takes no keyboard focus, which would change the window's focus order and what Enter
// and Esc do in it, or an option button grouped by hand rather than by Qt. The widget is found by
// its role and name and pressed through its press action.
class PressableAccessible final : public QAccessibleWidget
{
public:
    PressableAccessible(QWidget *widget, QAccessible::Role role, std::function<void()> press);

    // Without a name of its own, a label is named by its text, as Qt names a plain label.
    QString text(QAccessible::Text t) const override;
    // A checkable button says whether it is checked, as Qt's own buttons do.
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    std::function<void()> m_press;
};
