#pragma once

#include "panel_visibility.h"
#include "panels.h"

#include <QLabel>
#include <QStatusBar>
#include <memory>
#include <vector>

class Clock;
class LockKeyState;
class QHBoxLayout;
class TimerFactory;
class WindowTimer;
enum class LockKey;

// One panel of the status bar, addressed by its 1-based index (its objectName is "Panel<index>").
// Widths are in twips. Key panels know whether their lock is on and time and date panels show
// the clock; the bar keeps them current.
class StatusPanel : public QLabel
{
    Q_OBJECT

public:
    using Style = Panels::Style;
    enum class AutoSize { None = 0, Spring = 1 };

    StatusPanel(Style style, QWidget *parent);

    int index() const { return m_index; }
    Style style() const { return m_style; }

    // Spring: the panel takes the width the others leave, but never less than its minimum.
    void setAutoSize(AutoSize autoSize);
    void setMinWidth(double twips);
    void setWidth(double twips);
    // The tooltip is also what a screen reader says about the panel.
    void setToolTipText(const QString &text);

    // A panel's own setting, which holds whether or not the whole bar is shown. A hidden panel
    // takes no room: the others close up.
    bool isShown() const { return !isHidden(); }
    void setShown(bool shown) { setVisible(shown); }

    // The panel's Enabled property: for a key panel, whether its lock is on. Deliberately not
    // QWidget's enabled state, which would grey the panel out and keep clicks from it.
    bool isPanelEnabled() const { return m_panelEnabled; }
    // For a key panel, its key's name ("Num Lock"); empty for the others.
    QString keyName() const;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    friend class StatusBar;
    void setIndex(int index);
    void applyWidth();
    void showLockState(bool on);
    void showContent(const QString &text);

    int m_index = 0;
    Style m_style;
    AutoSize m_autoSize = AutoSize::None;
    double m_width = 1440.0; // one inch until a width is set
    double m_minWidth = 0.0;
    bool m_panelEnabled = true;
    bool m_pressed = false;
};

// The main window's status bar: panels in index order in one row. The bar itself keeps the key
// panels current through the lock-key notices and a slow re-read, and the time and date panels
// through one timer set to the next minute; both timers run only while the bar is on screen.
class StatusBar : public QStatusBar, public PanelVisibility
{
    Q_OBJECT

public:
    StatusBar(TimerFactory &timers, LockKeyState &lockKeys, const Clock &clock,
        QWidget *parent = nullptr);
    ~StatusBar() override;

    // Panel 1 exists from the start, a text panel. A panel added at an index moves the panels
    // from there on one index up.
    StatusPanel *addPanel(int index, StatusPanel::Style style);
    // Nothing for an index outside 1 to panelCount().
    StatusPanel *panel(int index) const;
    int panelCount() const { return int(m_panels.size()); }

    void setHeight(double twips);
    // Reads the lock keys and the clock again and redraws the bar.
    void refresh();

    bool isPanelShown(int index) const override;
    void setPanelShown(int index, bool shown) override;

Q_SIGNALS:
    void panelClicked(StatusPanel *panel);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void showLockStates();
    void showClock();
    void onClockTimer();

    LockKeyState &m_lockKeys;
    const Clock &m_clock;
    QHBoxLayout *m_row = nullptr;
    std::vector<StatusPanel *> m_panels;
    std::unique_ptr<WindowTimer> m_clockTimer;
    std::unique_ptr<WindowTimer> m_lockRecheckTimer;
};
