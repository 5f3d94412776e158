#pragma once

#include "controls/form.h"
#include "logic/banner_letters.h"
#include "logic/welcome_animation.h"

#include <array>
#include <functional>
#include <memory>

class Label;
class QFrame;
class TimerFactory;
class WindowTimer;
struct Services;

// The full-screen window a first run shows before the main window: it types the banner, runs the
// loading bar, then shows the main window and unloads itself. The animation itself lives in
// WelcomeAnimation; this window forwards the timer ticks to it and draws its state.
class FrmWlcm : public Form
{
    Q_OBJECT

public:
    FrmWlcm(Services &services, std::function<void()> showMainWindow);
    ~FrmWlcm() override;

protected:
    bool event(QEvent *event) override;

private:
    void createControls();
    void createTimers(TimerFactory &timers);
    void coverScreen();

    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();

    void showLetters();
    void showCursor();
    void showProgress();
    void enableTimers();

    std::function<void()> m_showMainWindow;
    std::unique_ptr<WelcomeAnimation> m_animation;
    std::array<WindowTimer *, WelcomeAnimation::timerCount> m_windowTimers {};

    QFrame *Frame1 = nullptr;
    std::array<Label *, Banner::letterCount> Lbl1 {};
    Label *Lbl2 = nullptr;
    Label *Lbl3 = nullptr;
    Label *Lbl4 = nullptr;
};
