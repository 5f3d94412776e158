#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

ChildProcess::ChildProcess(const std::string &path, const std::vector<std::string> &environment,
    const std::string &logPath, const std::string &launcher)
{
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid > 0)
        return;
    // Only async-signal-safe work from here on until exec.
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (log >= 0) {
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
    }
    for (const std::string &variable : environment)
        putenv(const_cast<char *>(variable.c_str()));
    if (launcher.empty())
        execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
    else
        execl(launcher.c_str(), launcher.c_str(), path.c_str(), static_cast<char *>(nullptr));
    _exit(127);
}

ChildProcess::~ChildProcess()
{
    if (m_reaped)
        return;
    kill(m_pid, SIGKILL);
    while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
}

bool ChildProcess::isRunning() const
{
    if (!m_reaped)
        m_reaped = waitpid(m_pid, nullptr, WNOHANG) == m_pid;
    return !m_reaped;
}
