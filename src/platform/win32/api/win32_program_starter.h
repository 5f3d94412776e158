#pragma once

#include "platform/sysinfo/program_starter.h"

class Win32ProgramStarter final : public ProgramStarter
{
public:
    bool start(const std::string &path) override;
};
