#include "hover_label.h"

#include "controls/pressable_accessible.h"
#include "platform/hand_cursor.h"

#include <QAccessible>
#include <QMouseEvent>
#include <utility>

namespace {

const QColor arrowHoverRed(255, 0, 0);
const QColor arrowRestWhite(255, 255, 255);
constexpr double arrowHoverPointSize = 12;
// The design size is 9.75 pt; an arrow that has been hovered once comes back at 10 pt.
constexpr double arrowRestPointSize = 10;

QAccessibleInterface *accessibleHoverLabel(const QString &, QObject *object)
{
    auto *label = qobject_cast<HoverLabel *>(object);
    if (!label)
        return nullptr;
    return new PressableAccessible(label,
        label->kind() == HoverLabel::Kind::Link ? QAccessible::Link : QAccessible::Button,
        [label] { label->click(); });
}

} // namespace

HoverLabel::HoverLabel(
    Kind kind, const QString &designName, const QString &caption, QWidget *parent)
    : Label(designName, caption, parent)
    , m_kind(kind)
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleHoverLabel), true);
    Q_UNUSED(factoryInstalled);
    setMouseTracking(true);
    if (kind == Kind::Link)
        setAccessibleName(caption);
}

void HoverLabel::click()
{
    if (m_click)
        m_click();
}

void HoverLabel::resetHover()
{
    if (m_kind == Kind::Link) {
        setUnderline(false);
    } else {
        setTextColour(arrowRestWhite);
        setPointSize(arrowRestPointSize);
    }
}

void HoverLabel::hover()
{
    if (m_kind == Kind::Link) {
        setUnderline(true);
        showHandCursor(this);
    } else {
        setPointSize(arrowHoverPointSize);
        setTextColour(arrowHoverRed);
    }
}

void HoverLabel::setPointSize(double pointSize)
{
    QFont font = this->font();
    font.setPointSizeF(pointSize);
    setFont(font);
}

void HoverLabel::setUnderline(bool underline)
{
    QFont font = this->font();
    font.setUnderline(underline);
    setFont(font);
}

void HoverLabel::mouseMoveEvent(QMouseEvent *event)
{
    hover();
    event->accept();
}

// A click is a press and a release of the left button over the same label.
void HoverLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void HoverLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = std::exchange(m_pressed, false) && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    event->accept();
    if (clicked)
        click();
}
