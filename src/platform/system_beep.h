#pragma once

class SystemBeep
{
public:
    virtual ~SystemBeep() = default;
    virtual void beep() = 0;
};

class QtSystemBeep final : public SystemBeep
{
public:
    void beep() override;
};
