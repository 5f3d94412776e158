#pragma once

#include "controls/form.h"
#include "logic/banner_letters.h"
#include "logic/welcome_animation.h"

#include <array>
#include <functional>
#include <memory>

class Label;
class QFrame;
class QScreen;
class TimerFactory;
class WindowTimer;
struct Services;

// The full-screen window a first run shows before the main window: it types the banner, runs the
// loading bar, then shows the main window and unloads itself. The animation itself lives in
// WelcomeAnimation; this window forwards the timer ticks to it and draws its state.
//
// Design names (the objectNames) and the members that hold them:
//   FrmWlcm           this window
//   Frame1            m_panel
//   Lbl1_0 .. Lbl1_n  m_letters, the banner's letters
//   Lbl2              m_progressBar
//   Lbl3              m_progressText
//   Lbl4              m_cursor
//   Timer1 .. Timer5  m_windowTimers, indexed by WelcomeAnimation::Timer: Typing, Loading,
//                     HandOver, Centring, Blink; no objectName
class WelcomeWindow : public Form
{
    Q_OBJECT

public:
    // It covers `screen`, where the main window will open.
    WelcomeWindow(Services &services, QScreen *screen, std::function<void()> showMainWindow);
    ~WelcomeWindow() override;

protected:
    bool event(QEvent *event) override;

private:
    void createControls();
    void createTimers(TimerFactory &timers);
    void coverScreen(QScreen *screen);

    void load();
    void onTypingTimer();
    void onLoadingTimer();
    void onHandOverTimer();
    void onCentringTimer();
    void onBlinkTimer();

    void showLetters();
    void showCursor();
    void showProgress();
    void enableTimers();

    std::function<void()> m_showMainWindow;
    std::unique_ptr<WelcomeAnimation> m_animation;
    std::array<WindowTimer *, WelcomeAnimation::timerCount> m_windowTimers {};

    QFrame *m_panel = nullptr;
    std::array<Label *, Banner::letterCount> m_letters {};
    Label *m_progressBar = nullptr;
    Label *m_progressText = nullptr;
    Label *m_cursor = nullptr;
};
