#pragma once

#include "platform/sysinfo/file_test.h"

// A regular file, or a link to one, whose name does not start with a dot: the dot is this
// system's mark of a hidden file, and there is no mark of a system file.
class LinuxFileTest final : public FileTest
{
public:
    bool isNormalFile(const std::string &path) override;
};
