#include "label.h"

#include "design_style.h"

#include <QEvent>

Label::Label(const QString &designName, const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setObjectName(designName);
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (autoSize)
        adjustSize();
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    if (m_autoSize)
        adjustSize();
}

void Label::setTextColour(const QColor &colour)
{
    DesignStyle::setColours(this, { { QPalette::WindowText, colour } });
}

void Label::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (m_autoSize && event->type() == QEvent::FontChange)
        adjustSize();
}
