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
class WindowSlot;
class WindowTimer;
struct Services;

// The start-up window, the only one that lives for the whole run: both conversions, the mode
// switch, the status bar and the menu that opens the other windows.
//
// Design names (the objectNames) and the members that hold them:
//   FrmMain        this window
//   Lbl1           m_inputCaption
//   Text1          m_characterInput
//   Text2          m_codeInput
//   Lbl2           m_resultCaption
//   Text3          m_result
//   Lbl3           m_numericWarning
//   Lbl4           m_characterName
//   Text4          none: the panel mask passes as a value, m_panelsShown between reads and writes
//   CmdExit        m_exitButton
//   StatusBar1     m_statusBar
//   MenuModeC2A    m_charToCodeAction
//   MenuModeA2C    m_codeToCharAction
//   MenuViewStBar  m_statusBarAction
//   MenuAboutApp   m_aboutAction
//   Timer1         m_convertTimer, no objectName
//   Timer2         m_warningTimer, no objectName
//   Timer3         m_growTimer, no objectName
//   Timer4         m_shrinkTimer, no objectName
// The menus (MenuMode, MenuView, MenuAbout) have no member: createMenus() names them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(Services &services, SettingsStore &settings, SecondaryWindows &windows,
        LockKeyState &lockKeys, const Clock &clock, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Reads and applies the settings; ends the program with a message when one is missing or
    // damaged. Shows the window unless a first run hands it to the welcome window.
    void load();
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

    void onActivated();
    WindowSlot *topSecondaryWindow() const;
    void onSecondaryWindowUnloaded();
    void onUnload();
    void onExitClicked();
    void onStatusBarTriggered();
    void onGrowTimer();
    void onShrinkTimer();
    void onPanelClicked(StatusPanel *panel);
    void showBarAnimation();
    void applyHeight();
    void centreOnScreen(const QMargins &frame);
    void onAboutTriggered();

    void onCharacterKeyPress(std::int16_t &code);
    void onCharacterChanged();
    void onCodeKeyPress(std::int16_t &code);
    void onCodeChanged();
    void onConvertTimer();
    void onWarningTimer();
    void showCharacterInfo(std::int16_t code);
    void showNumericWarning();
    void clearResult();

    void onCharToCodeTriggered();
    void onCodeToCharTriggered();
    void switchMode(bool charToCode);
    void showMode(bool charToCode);
    void setModeFlag(bool charToCode);
    void setModeCaptions();
    TextBox *inputBox() const;

    StatusBar *builtStatusBar();
    void setUpStatusBar();
    void applyPanelMask(const QString &mask);
    void showStoredPanels();
    void saveAndExit();
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
    bool m_charToCode = true;
    QString m_charAbbr;
    bool m_centred = false;
    bool m_unloadingAll = false;
    QMargins m_expectedFrame;
    BarAnimation m_barAnimation;
    // Which panels the stored mask shows, held until the bar is first needed.
    PanelMask::Visibility m_panelsShown;

    Label *m_inputCaption = nullptr;
    Label *m_resultCaption = nullptr;
    Label *m_numericWarning = nullptr;
    Label *m_characterName = nullptr;
    TextBox *m_characterInput = nullptr;
    TextBox *m_codeInput = nullptr;
    TextBox *m_result = nullptr;
    QPushButton *m_exitButton = nullptr;
    StatusBar *m_statusBar = nullptr; // built when first shown: most starts never show it

    QAction *m_charToCodeAction = nullptr;
    QAction *m_codeToCharAction = nullptr;
    QAction *m_statusBarAction = nullptr;
    QAction *m_aboutAction = nullptr;

    std::unique_ptr<WindowTimer> m_convertTimer;
    std::unique_ptr<WindowTimer> m_warningTimer;
    std::unique_ptr<WindowTimer> m_growTimer;
    std::unique_ptr<WindowTimer> m_shrinkTimer;
    // Enabled for a moment after the user was sent back to a secondary window: activations
    // meanwhile belong to the same click.
    std::unique_ptr<WindowTimer> m_sendingBack;
};
