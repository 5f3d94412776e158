#pragma once

// Ending the program at once: after the last settings file is written no further handler of any
// window may run, so there is no event loop to return to. Behind an interface so that tests can
// see the end without losing their own process.
class ProcessControl
{
public:
    virtual ~ProcessControl() = default;
    virtual void endNow(int exitCode) = 0;
};

class RealProcessControl final : public ProcessControl
{
public:
    [[noreturn]] void endNow(int exitCode) override;
};
