#include "label.h"

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
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void Label::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (m_autoSize && event->type() == QEvent::FontChange)
        adjustSize();
}
