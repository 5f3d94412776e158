#pragma once

#include "logic/bar_animation.h"
#include "platform/message_box.h"
#include "statusbar/panel_mask.h"

#include <QMainWindow>
#include <QMargins>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class Label;
class LockKeyState;
class PanelVisibility;
class QAction;
class QPushButton;
struct SecondaryWindows;
class SettingsStore;
class StatusBar;
class StatusPanel;
class TextBox;
class WindowTimer;
struct Services;

// The start-up window, the only one that lives for the whole run: both conversions, the mode
// switch, the status bar and the menu that opens the other windows.
class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    FrmMain(Services &services, SettingsStore &settings, SecondaryWindows &windows,
        LockKeyState &lockKeys, const Clock &clock, QWidget *parent = nullptr);
    ~FrmMain() override;

    // Reads and applies the settings; ends the program with a message when one is missing or
    // damaged. Shows the window unless a first run hands it to the welcome window.
    void Form_Load();
    // The welcome window's hand-over: shows the window once it has been loaded.
    void showAfterWelcome();

    // The status bar's panels, for the Customize Status Bar dialog.
    PanelVisibility &statusBarPanels();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createActions();
    void createMenus();
    void createTimers();

    void Form_Activate();
    void Form_Unload();
    void CmdExit_Click();
    void MenuViewStBar_Click();
    void Timer3_Timer();
    void Timer4_Timer();
    void StatusBar1_PanelClick(StatusPanel *panel);
    void showBarAnimation();
    void applyHeight();
    void centreOnScreen(const QMargins &frame);
    void MenuAboutApp_Click();

    void Text1_KeyPress(std::int16_t &code);
    void Text1_Change();
    void Text2_KeyPress(std::int16_t &code);
    void Text2_Change();
    void Timer1_Timer();
    void Timer2_Timer();
    void ShowCharInfo(std::int16_t code);
    void showNumericWarning();
    void clearResult();

    void MenuModeC2A_Click();
    void MenuModeA2C_Click();
    void switchMode(bool charToCode);
    void showMode(bool charToCode);
    void setModeFlag(bool charToCode);
    void setModeCaptions();
    TextBox *inputBox() const;

    StatusBar *statusBar1();
    void InitStatusBar();
    void applyPanelMask(const QString &mask);
    void showStoredPanels();
    void SaveAndExit();
    bool saveSettings();
    bool finishLoading();
    // Runs `read`; a missing or damaged settings file ends the start with a message.
    bool readSettings(const std::function<void()> &read);
    void failStartup(const QString &text, const QString &title, MessageBox::Icon icon);

    Services &m_services;
    SettingsStore &m_settings;
    SecondaryWindows &m_windows;
    LockKeyState &m_lockKeys;
    const Clock &m_clock;

    std::optional<bool> m_loaded; // whether reading the settings succeeded, once it has run
    bool m_modeC2A = true;
    QString m_charAbbr;
    bool m_centred = false;
    QMargins m_expectedFrame;
    BarAnimation m_barAnimation;
    // Which panels the stored mask shows, held until the bar is first needed.
    PanelMask::Visibility m_panelsShown;

    Label *Lbl1 = nullptr;
    Label *Lbl2 = nullptr;
    Label *Lbl3 = nullptr;
    Label *Lbl4 = nullptr;
    TextBox *Text1 = nullptr;
    TextBox *Text2 = nullptr;
    TextBox *Text3 = nullptr;
    TextBox *Text4 = nullptr;
    QPushButton *CmdExit = nullptr;
    StatusBar *StatusBar1 = nullptr; // built when first shown: most starts never show it

    QAction *MenuModeC2A = nullptr;
    QAction *MenuModeA2C = nullptr;
    QAction *MenuViewStBar = nullptr;
    QAction *MenuAboutApp = nullptr;

    std::unique_ptr<WindowTimer> Timer1;
    std::unique_ptr<WindowTimer> Timer2;
    std::unique_ptr<WindowTimer> Timer3;
    std::unique_ptr<WindowTimer> Timer4;
    // Enabled for a moment after the user was sent back to a secondary window: activations
    // meanwhile belong to the same click.
    std::unique_ptr<WindowTimer> m_sendingBack;
};
