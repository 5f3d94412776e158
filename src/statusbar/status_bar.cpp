#include "status_bar.h"

#include "clock_formats.h"
#include "controls/pressable_accessible.h"
#include "controls/twips.h"
#include "platform/clock.h"
#include "platform/lock_key_state.h"
#include "platform/window_timer.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <optional>

namespace {

std::optional<LockKey> lockKeyOf(StatusPanel::Style style)
{
    switch (style) {
    case StatusPanel::Style::NumLock:
        return LockKey::NumLock;
    case StatusPanel::Style::CapsLock:
        return LockKey::CapsLock;
    case StatusPanel::Style::ScrollLock:
        return LockKey::ScrollLock;
    case StatusPanel::Style::Text:
    case StatusPanel::Style::Time:
    case StatusPanel::Style::Date:
        break;
    }
    return std::nullopt;
}

// A panel is pressed as a button, so that a screen reader can do what a click does; it stays out
// of the window's focus order.
QAccessibleInterface *accessibleStatusPanel(const QString &, QObject *object)
{
    auto *panel = qobject_cast<StatusPanel *>(object);
    if (!panel)
        return nullptr;
    return new PressableAccessible(
        panel, QAccessible::Button, [panel] { Q_EMIT panel->clicked(); });
}

} // namespace

StatusPanel::StatusPanel(Style style, QWidget *parent)
    : QLabel(parent)
    , m_style(style)
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleStatusPanel), true);
    Q_UNUSED(factoryInstalled);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setIndent(3);
    applyWidth();
    if (lockKeyOf(style))
        setText(QLatin1String(Panels::of(style).text));
}

void StatusPanel::setIndex(int index)
{
    m_index = index;
    setObjectName(QStringLiteral("Panel%1").arg(index));
}

void StatusPanel::setAutoSize(AutoSize autoSize)
{
    m_autoSize = autoSize;
    if (auto *row = parentWidget() ? qobject_cast<QBoxLayout *>(parentWidget()->layout()) : nullptr)
        row->setStretchFactor(this, autoSize == AutoSize::Spring ? 1 : 0);
    applyWidth();
}

void StatusPanel::setMinWidth(double twips)
{
    m_minWidth = twips;
    applyWidth();
}

void StatusPanel::setWidth(double twips)
{
    m_width = twips;
    applyWidth();
}

void StatusPanel::applyWidth()
{
    const int minimum = Twips::toPixels(m_minWidth);
    if (m_autoSize == AutoSize::Spring) {
        setMinimumWidth(minimum);
        setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        setFixedWidth(std::max(Twips::toPixels(m_width), minimum));
    }
}

void StatusPanel::setToolTipText(const QString &text)
{
    setToolTip(text);
    setAccessibleDescription(text);
}

QString StatusPanel::keyName() const
{
    return lockKeyOf(m_style) ? QLatin1String(Panels::of(m_style).keyName) : QString();
}

void StatusPanel::showLockState(bool on)
{
    m_panelEnabled = on;
    // Dimmed while the lock is off, as the lights on the keyboard are.
    setForegroundRole(on ? QPalette::WindowText : QPalette::PlaceholderText);
    setAccessibleName(keyName() + (on ? QStringLiteral(" on") : QStringLiteral(" off")));
}

void StatusPanel::showContent(const QString &text)
{
    // A repaint only when the minute or the day has really changed.
    if (text != this->text())
        setText(text);
}

void StatusPanel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void StatusPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

StatusBar::StatusBar(
    TimerFactory &timers, LockKeyState &lockKeys, const Clock &clock, QWidget *parent)
    : QStatusBar(parent)
    , m_lockKeys(lockKeys)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("StatusBar1"));
    // The window has a fixed size, so a size grip would promise what it cannot do.
    setSizeGripEnabled(false);
    // The row of panels is placed by hand rather than given to QStatusBar's own layout, which
    // keeps a gap above its items and would push the panels out of the bar's fixed height.
    m_row = new QHBoxLayout(new QWidget(this));
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(2);
    m_clockTimer = timers.create(this, 0, [this] { onClockTimer(); });
    // A lock may change where no notice reaches the program (see LockKeyState::recheck()): a
    // re-read every two seconds puts the bar right within a glance or two, for the cost of a few
    // cheap questions. Only a change repaints.
    m_lockRecheckTimer = timers.create(this, 2000, [this] { m_lockKeys.recheck(); });
    connect(&m_lockKeys, &LockKeyState::changed, this, &StatusBar::showLockStates);
    addPanel(1, StatusPanel::Style::Text);
}

StatusBar::~StatusBar() = default;

StatusPanel *StatusBar::addPanel(int index, StatusPanel::Style style)
{
    index = std::clamp(index, 1, panelCount() + 1);
    auto *panel = new StatusPanel(style, m_row->parentWidget());
    m_row->insertWidget(index - 1, panel);
    m_panels.insert(m_panels.begin() + (index - 1), panel);
    for (int i = index; i <= panelCount(); ++i)
        m_panels[i - 1]->setIndex(i);
    connect(panel, &StatusPanel::clicked, this, [this, panel] { Q_EMIT panelClicked(panel); });
    showLockStates();
    showClock();
    return panel;
}

StatusPanel *StatusBar::panel(int index) const
{
    return index >= 1 && index <= panelCount() ? m_panels[index - 1] : nullptr;
}

void StatusBar::setHeight(double twips)
{
    setFixedHeight(Twips::toPixels(twips));
}

void StatusBar::refresh()
{
    showLockStates();
    showClock();
    update();
}

bool StatusBar::isPanelShown(int index) const
{
    const StatusPanel *shown = panel(index);
    return shown && shown->isShown();
}

void StatusBar::setPanelShown(int index, bool shown)
{
    if (StatusPanel *changed = panel(index))
        changed->setShown(shown);
}

void StatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    m_row->parentWidget()->setGeometry(rect().adjusted(2, 2, -2, 0));
}

void StatusBar::showEvent(QShowEvent *event)
{
    QStatusBar::showEvent(event);
    onClockTimer();
    m_lockRecheckTimer->setEnabled(true);
}

// Nothing to keep current while no one can see it: no wake-ups while the bar is hidden or the
// window minimised.
void StatusBar::hideEvent(QHideEvent *event)
{
    QStatusBar::hideEvent(event);
    m_clockTimer->setEnabled(false);
    m_lockRecheckTimer->setEnabled(false);
}

void StatusBar::showLockStates()
{
    for (StatusPanel *panel : m_panels) {
        if (const std::optional<LockKey> key = lockKeyOf(panel->style()))
            panel->showLockState(m_lockKeys.isOn(*key));
    }
}

void StatusBar::showClock()
{
    const QDateTime now = m_clock.now();
    const QLocale locale = QLocale::system();
    for (StatusPanel *panel : m_panels) {
        if (panel->style() == StatusPanel::Style::Time)
            panel->showContent(locale.toString(
                now.time(), ClockFormats::panelTime(locale.timeFormat(QLocale::ShortFormat))));
        else if (panel->style() == StatusPanel::Style::Date)
            panel->showContent(locale.toString(now.date(), QLocale::ShortFormat));
    }
}

// One single-shot wake-up at each new minute, which is also when the date turns at midnight.
void StatusBar::onClockTimer()
{
    m_clockTimer->setEnabled(false);
    showClock();
    m_clockTimer->setInterval(ClockFormats::msecsToNextMinute(m_clock.now().time()));
    m_clockTimer->setEnabled(true);
}
