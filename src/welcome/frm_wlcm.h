#pragma once

#include "platform/form.h"

#include <functional>

class WindowTimer;
struct Services;

// The window a first run shows before the main window; it hands over to the main window when it
// is done and unloads itself.
class FrmWlcm : public Form
{
    Q_OBJECT

public:
    FrmWlcm(Services &services, std::function<void()> showMainWindow);

private:
    void Timer3_Timer();

    std::function<void()> m_showMainWindow;
    WindowTimer *Timer3 = nullptr;
};
