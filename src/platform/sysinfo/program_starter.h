#pragma once

#include <string>

// Starting another program, the way a user starts one from a file manager. Plain C++ so that a
// build without Qt can use and test it.
class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;

    // Starts the program at this absolute path without arguments, in a normal window that takes
    // the focus, and does not wait for it. No shell sees the path and no search path is tried,
    // so a relative or empty path, or one with a NUL byte in it, fails. True when it started.
    virtual bool start(const std::string &path) = 0;
};
