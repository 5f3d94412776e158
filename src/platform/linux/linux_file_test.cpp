#include "linux_file_test.h"

#include <sys/stat.h>

bool LinuxFileTest::isNormalFile(const std::string &path)
{
    if (path.find('\0') != std::string::npos)
        return false;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart < path.size() && path[nameStart] == '.')
        return false;
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}
