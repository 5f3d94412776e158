#pragma once

#include "platform/program_starter.h"

class LinuxProgramStarter final : public ProgramStarter
{
public:
    bool start(const std::string &path) override;
};
