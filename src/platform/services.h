#pragma once

class HighContrast;
class MessageBox;
class ProcessControl;
class SystemBeep;
class TimerFactory;

// The operating-system services the windows use, handed to each window's constructor so that
// tests can put doubles in their place.
struct Services
{
    TimerFactory &timers;
    MessageBox &messages;
    SystemBeep &beep;
    ProcessControl &process;
    HighContrast &highContrast;
};
