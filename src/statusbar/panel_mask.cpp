#include "panel_mask.h"

bool PanelMask::isUsable(const QString &mask)
{
    return mask.size() == panelCount;
}

PanelMask::Visibility PanelMask::visibility(const QString &mask)
{
    Visibility visible;
    visible.fill(true);
    if (isUsable(mask)) {
        for (int i = 0; i < panelCount; ++i)
            visible[i] = mask.at(i) != u'0';
    }
    return visible;
}

QString PanelMask::build(const Visibility &visible)
{
    QString mask;
    for (const bool shown : visible)
        mask += shown ? u'1' : u'0';
    return mask;
}
