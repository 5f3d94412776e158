#include "child_program.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// Made before the fork: between fork and exec the child may only make async-signal-safe calls.
std::vector<QByteArray> environmentFor(const ChildOptions &options)
{
    const QByteArray steps = "GLYPH_ROBOT_STEPS=";
    // No display is needed: the robot reads the windows from inside.
    const QByteArray platform = "QT_QPA_PLATFORM=";
    std::vector<QByteArray> entries;
    for (char **entry = environ; *entry; ++entry) {
        const QByteArray text(*entry);
        if (!text.startsWith(steps) && !text.startsWith(platform))
            entries.push_back(text);
    }
    entries.push_back(steps + options.steps.join(u',').toUtf8());
    entries.push_back(platform + "offscreen");
    return entries;
}

[[noreturn]] void becomeProgram(const char *path, char *const environment[],
    const ChildOptions &options, int input, int output, int errors)
{
    if (::dup2(input, STDIN_FILENO) < 0 || ::dup2(output, STDOUT_FILENO) < 0
        || ::dup2(errors, STDERR_FILENO) < 0)
        ::_exit(126);
    struct sigaction action = {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &action, nullptr);
    if (options.fileSizeLimit) {
        // Without this a write past the limit ends the program instead of failing as a full
        // disk does.
        action.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &action, nullptr);
        const rlimit limit { *options.fileSizeLimit, *options.fileSizeLimit };
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(126);
    }
    if (options.unprivileged && ::geteuid() == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(unprivilegedUser) != 0
            || ::setuid(unprivilegedUser) != 0)
            ::_exit(126);
    }
    char *const arguments[] = { const_cast<char *>(path), nullptr };
    ::execve(path, arguments, environment);
    ::_exit(127);
}

} // namespace

ChildProgram::ChildProgram(const QString &program, const ChildOptions &options)
{
    // A write to a program that has just been killed must fail, not end the test.
    ::signal(SIGPIPE, SIG_IGN);
    const QByteArray path = program.toLocal8Bit();
    const std::vector<QByteArray> entries = environmentFor(options);
    std::vector<char *> environment;
    for (const QByteArray &entry : entries)
        environment.push_back(const_cast<char *>(entry.constData()));
    environment.push_back(nullptr);

    int input[2], output[2], errors[2];
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0
        || ::pipe2(errors, O_CLOEXEC) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0)
        becomeProgram(
            path.constData(), environment.data(), options, input[0], output[1], errors[1]);
    ::close(input[0]);
    ::close(output[1]);
    ::close(errors[1]);
    m_input = input[1];
    m_output = output[0];
    m_errors = errors[0];
}

ChildProgram::~ChildProgram()
{
    if (m_pid > 0 && !m_status) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
    }
    for (const int fd : { m_input, m_output, m_errors }) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool ChildProgram::pump(int timeoutMs)
{
    pollfd ends[2];
    nfds_t count = 0;
    for (const int fd : { m_output, m_errors }) {
        if (fd >= 0)
            ends[count++] = { fd, POLLIN, 0 };
    }
    if (count == 0 || ::poll(ends, count, timeoutMs) <= 0)
        return false;
    for (nfds_t i = 0; i < count; ++i) {
        if (!(ends[i].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        char buffer[4096];
        const ssize_t got = ::read(ends[i].fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        const bool isOutput = ends[i].fd == m_output;
        if (got <= 0) {
            ::close(ends[i].fd);
            (isOutput ? m_output : m_errors) = -1;
            continue;
        }
        (isOutput ? m_pendingOutput : m_errorText).append(buffer, got);
    }
    for (qsizetype end; (end = m_pendingOutput.indexOf('\n')) >= 0;) {
        m_lines.append(QString::fromUtf8(m_pendingOutput.left(end)));
        m_pendingOutput.remove(0, end + 1);
    }
    return true;
}

std::optional<QString> ChildProgram::readLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_linesTaken == m_lines.size()) {
        if (m_output < 0 || deadline.hasExpired())
            return std::nullopt;
        pump(int(deadline.remainingTime()));
    }
    return m_lines.at(m_linesTaken++);
}

bool ChildProgram::waitForLine(const QString &line, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (const std::optional<QString> next = readLine(int(deadline.remainingTime()))) {
        if (*next == line)
            return true;
    }
    return false;
}

void ChildProgram::sendGo()
{
    (void)!::write(m_input, "g", 1);
}

void ChildProgram::kill()
{
    ::kill(m_pid, SIGKILL);
}

std::optional<int> ChildProgram::waitForExit(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_status) {
        int status = 0;
        const pid_t reaped = ::waitpid(m_pid, &status, WNOHANG);
        if (reaped == m_pid)
            m_status = status;
        else if (deadline.hasExpired())
            return std::nullopt;
        else if (!pump(20) && m_output < 0 && m_errors < 0)
            ::usleep(1000);
    }
    // What the program wrote just before it ended is still in the pipes.
    while (m_output >= 0 || m_errors >= 0) {
        if (!pump(1000))
            break;
    }
    return m_status;
}

std::vector<ChildProgram::Message> ChildProgram::messages() const
{
    std::vector<Message> shown;
    for (const QString &line : m_lines) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 3 && fields[0] == QLatin1String("MESSAGE"))
            shown.push_back({ fields[1], fields[2] });
    }
    return shown;
}

QString ChildProgram::transcript() const
{
    return QStringLiteral("output:\n  %1\nerror output:\n%2")
        .arg(m_lines.join(QStringLiteral("\n  ")), QString::fromLocal8Bit(m_errorText));
}

int exitCodeOf(int status)
{
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}
