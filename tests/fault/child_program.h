#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#ifndef Q_OS_WIN
#include <sys/types.h>

// The user a program started with ChildOptions::unprivileged runs as.
inline constexpr uid_t unprivilegedUser = 65534; // nobody
#endif

// How a copy of the program is started. The two limits are POSIX ones, left unused on Windows.
struct ChildOptions
{
    QStringList steps; // what the robot user does once the main window is up
    bool unprivileged = false; // run as "nobody" when the tests run as root, so permissions hold
    std::optional<qint64> fileSizeLimit; // a disk that fills up after this many bytes per file
    QString killAt; // the point of the exit's save at which the program ends itself, if any
};

// One running copy of the program, with its standard input and output in the test's hands.
// Killed, if it still runs, when it goes out of scope. Qt's process starts and kills it with
// each platform's own calls, so the same tests run against the program built for either.
class ChildProgram
{
public:
    ChildProgram(const QString &program, const ChildOptions &options);
    ~ChildProgram();
    ChildProgram(const ChildProgram &) = delete;
    ChildProgram &operator=(const ChildProgram &) = delete;

    bool started() const { return m_started; }

    // The next line the robot reports; nothing when the program ends or the wait runs out first.
    std::optional<QString> readLine(int timeoutMs = hangMs);
    // Reads lines until one equals the given one; false if it never comes.
    bool waitForLine(const QString &line, int timeoutMs = hangMs);
    void sendGo();
    void kill();

    // The exit code, -1 when the program crashed or was killed; nothing if it still runs at the
    // end of the wait, which the tests treat as a hang. Reads the rest of the output on the way.
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
    void takeLines();

    QProcess m_process;
    bool m_started = false;
    QByteArray m_pendingOutput;
    QByteArray m_errorText;
    QStringList m_lines;
    qsizetype m_linesTaken = 0;
};
