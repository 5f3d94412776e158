#include "label.h"

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
