#pragma once

#include "platform/sysinfo/file_test.h"

class Win32FileTest final : public FileTest
{
public:
    bool isNormalFile(const std::string &path) override;
};
