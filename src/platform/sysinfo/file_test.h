#pragma once

#include <string>

// Whether a path names a file a user would open: the test a directory listing for normal files
// makes. Plain C++ so that a build without Qt can use and test it.
class FileTest
{
public:
    virtual ~FileTest() = default;

    // True for an existing file that is neither a folder nor hidden nor a system file. A path
    // with a NUL byte in it names nothing, rather than the part before the NUL.
    virtual bool isNormalFile(const std::string &path) = 0;
};
