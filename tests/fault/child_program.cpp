#include "child_program.h"

#include <QDeadlineTimer>

#ifndef Q_OS_WIN
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

ChildProgram::ChildProgram(const QString &program, const ChildOptions &options)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GLYPH_ROBOT_STEPS"), options.steps.join(u','));
    environment.insert(QStringLiteral("GLYPH_KILL_AT"), options.killAt);
    // No display is needed: the robot reads the windows from inside. Under Wine the program's
    // own platform serves as well, its windows kept unseen by Wine's null display driver.
#ifdef Q_OS_WIN
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("windows"));
#else
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
#endif
    m_process.setProcessEnvironment(environment);
#ifndef Q_OS_WIN
    // Runs between fork and exec, where only async-signal-safe calls may be made.
    m_process.setChildProcessModifier([options] {
        if (options.fileSizeLimit) {
            // Without this a write past the limit ends the program instead of failing as a full
            // disk does.
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit { rlim_t(*options.fileSizeLimit), rlim_t(*options.fileSizeLimit) };
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(126);
        }
        if (options.unprivileged && ::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(unprivilegedUser) != 0
                || ::setuid(unprivilegedUser) != 0))
            ::_exit(126);
    });
#endif
    // Wine has once refused to start the program, at once and for no reason the test could see;
    // a refused start is tried again, so that Wine's refusal is not taken for the program's fault.
    for (int attempt = 0; attempt < 3 && !m_started; ++attempt) {
        m_process.start(program, {});
        m_started = m_process.waitForStarted(hangMs);
    }
}

ChildProgram::~ChildProgram()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(hangMs);
    }
}

void ChildProgram::takeLines()
{
    m_pendingOutput += m_process.readAllStandardOutput();
    m_errorText += m_process.readAllStandardError();
    for (qsizetype end; (end = m_pendingOutput.indexOf('\n')) >= 0;) {
        // The C runtime on Windows writes a line end as CR LF.
        QByteArray line = m_pendingOutput.left(end);
        if (line.endsWith('\r'))
            line.chop(1);
        m_lines.append(QString::fromUtf8(line));
        m_pendingOutput.remove(0, end + 1);
    }
}

std::optional<QString> ChildProgram::readLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    // Once the program has ended, what it wrote last is still taken.
    for (bool more = true; takeLines(), m_linesTaken == m_lines.size();) {
        if (!more)
            return std::nullopt;
        more = m_process.waitForReadyRead(int(deadline.remainingTime()));
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
    m_process.write("g");
    m_process.waitForBytesWritten(hangMs);
}

void ChildProgram::kill()
{
    m_process.kill();
}

std::optional<int> ChildProgram::waitForExit(int timeoutMs)
{
    const bool ended
        = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    // What the program wrote just before it ended, or while it hung, is still in the pipes.
    takeLines();
    if (!ended)
        return std::nullopt;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
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
    return QStringLiteral("last start: %1\noutput:\n  %2\nerror output:\n%3")
        .arg(m_process.errorString(), m_lines.join(QStringLiteral("\n  ")),
            QString::fromLocal8Bit(m_errorText));
}
