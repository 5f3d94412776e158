#include "status_bar.h"

StatusPanel::StatusPanel(int index, Style style, QWidget *parent)
    : QLabel(parent)
    , m_index(index)
    , m_style(style)
{
    setObjectName(QStringLiteral("Panel%1").arg(index));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

StatusBar::StatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    // The window has a fixed size, so a size grip would promise what it cannot do.
    setSizeGripEnabled(false);
    appendPanel(StatusPanel::Style::Text, 1);
}

StatusPanel *StatusBar::addPanel(StatusPanel::Style style)
{
    return appendPanel(style, 0);
}

StatusPanel *StatusBar::appendPanel(StatusPanel::Style style, int stretch)
{
    auto *panel = new StatusPanel(panelCount() + 1, style, this);
    addWidget(panel, stretch);
    m_panels.push_back(panel);
    return panel;
}

StatusPanel *StatusBar::panel(int index) const
{
    return index >= 1 && index <= panelCount() ? m_panels[index - 1] : nullptr;
}
