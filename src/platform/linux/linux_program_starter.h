#pragma once

#include "platform/sysinfo/program_starter.h"

class LinuxProgramStarter final : public ProgramStarter
{
public:
    bool start(const std::string &path) override;
};
