#pragma once

#include <QLabel>
#include <QStatusBar>
#include <vector>

// One panel of the status bar, addressed by its 1-based index.
class StatusPanel : public QLabel
{
    Q_OBJECT

public:
    // The content numbers the panels are added with.
    enum class Style { Text = 0, CapsLock = 1, NumLock = 2, ScrollLock = 4, Time = 5, Date = 6 };

    StatusPanel(int index, Style style, QWidget *parent);

    int index() const { return m_index; }
    Style style() const { return m_style; }

    // A panel's own setting, which holds whether or not the whole bar is shown.
    bool isShown() const { return !isHidden(); }

private:
    int m_index;
    Style m_style;
};

// The main window's status bar: panels in index order that close up when one is hidden.
class StatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit StatusBar(QWidget *parent = nullptr);

    // Panel 1 exists from the start and springs to take the width the others leave; further
    // panels are added at the end, in index order.
    StatusPanel *addPanel(StatusPanel::Style style);
    StatusPanel *panel(int index) const;
    int panelCount() const { return int(m_panels.size()); }

private:
    StatusPanel *appendPanel(StatusPanel::Style style, int stretch);

    std::vector<StatusPanel *> m_panels;
};
