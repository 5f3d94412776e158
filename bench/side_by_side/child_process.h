#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A program started for one measurement and killed after it, so that nothing it would do on a
// normal exit (saving its settings) changes the next run.
class ChildProcess
{
public:
    // Starts `path` (through `launcher`, when one is given) with the inherited environment plus
    // `environment` ("NAME=value"), its output going to `logPath`.
    ChildProcess(const std::string &path, const std::vector<std::string> &environment,
        const std::string &logPath, const std::string &launcher = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    pid_t pid() const { return m_pid; }
    bool isRunning() const;

private:
    pid_t m_pid = -1;
    mutable bool m_reaped = false;
};
