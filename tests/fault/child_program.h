#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

// The user a program started with ChildOptions::unprivileged runs as.
inline constexpr uid_t unprivilegedUser = 65534; // nobody

// How a copy of the program is started.
struct ChildOptions
{
    QStringList steps; // what the robot user does once the main window is up
    bool unprivileged = false; // run as "nobody" when the tests run as root, so permissions hold
    std::optional<rlim_t> fileSizeLimit; // a disk that fills up after this many bytes per file
};

// One running copy of the program, with its standard input and output in the test's hands.
// Killed, if it still runs, when it goes out of scope.
class ChildProgram
{
public:
    ChildProgram(const QString &program, const ChildOptions &options);
    ~ChildProgram();
    ChildProgram(const ChildProgram &) = delete;
    ChildProgram &operator=(const ChildProgram &) = delete;

    bool started() const { return m_pid > 0; }

    // The next line the robot reports; nothing when the program ends or the wait runs out first.
    std::optional<QString> readLine(int timeoutMs = hangMs);
    // Reads lines until one equals the given one; false if it never comes.
    bool waitForLine(const QString &line, int timeoutMs = hangMs);
    void sendGo();
    void kill();

    // The exit status as waitpid gives it; nothing if the program still runs at the end of the
    // wait, which the tests treat as a hang. Reads the rest of the output on the way.
    std::optional<int> waitForExit(int timeoutMs = hangMs);

    const QStringList &lines() const { return m_lines; }

    struct Message
    {
        QString title;
        QString text; // line breaks shown as "|"
    };
    // The message boxes the program showed, in order.
    std::vector<Message> messages() const;
    // Every line and the program's error output, for a failure message.
    QString transcript() const;

    // Long enough for a sanitizer build on a loaded machine; only a hang ever takes this long.
    static constexpr int hangMs = 60'000;

private:
    bool pump(int timeoutMs);

    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    int m_errors = -1;
    QByteArray m_pendingOutput;
    QByteArray m_errorText;
    QStringList m_lines;
    qsizetype m_linesTaken = 0;
    std::optional<int> m_status;
};

// The exit code of a status from waitForExit, or -signal when a signal ended the program.
int exitCodeOf(int status);
