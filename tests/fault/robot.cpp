// A scripted user attached to the real program for the fault tests: it reports on standard output
// what the windows show, answers every message box with OK, and plays the steps named in
// GLYPH_ROBOT_STEPS once the main window is up. With GLYPH_KILL_AT, such as
// "written:AppFile2.DLL", it ends the program as a kill would at that point of the exit's save.
// The program itself reads no environment; only this test build carries the robot.

#include "logic/save_points.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <unistd.h>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

// Unbuffered, so a line reaches the test even when the program is killed right after.
void report(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    (void)!::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size()));
}

class Robot : public QObject
{
public:
    Robot(const QStringList &steps, QObject *parent)
        : QObject(parent)
        , m_steps(steps)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            report(QStringLiteral("MESSAGE\t%1\t%2")
                       .arg(box->windowTitle(), QString(box->text()).replace(u'\n', u'|')));
            QTimer::singleShot(0, box, &QDialog::accept);
        } else if (auto *window = qobject_cast<QMainWindow *>(watched);
                   window && window->objectName() == QLatin1String("FrmMain") && !m_playing) {
            m_playing = true;
            report(QStringLiteral("SHOWN"));
            QTimer::singleShot(0, window, [this, window] { play(window); });
        }
        return false;
    }

private:
    void play(QMainWindow *window)
    {
        for (const QString &step : std::as_const(m_steps)) {
            if (step == QLatin1String("ready")) {
                // The test holds the exit back until it has its kill timer ready.
                report(QStringLiteral("READY"));
                char go = 0;
                (void)!::read(STDIN_FILENO, &go, 1);
            } else if (step == QLatin1String("exit")) {
                window->findChild<QPushButton *>(QStringLiteral("CmdExit"))->click();
                report(QStringLiteral("RUNNING"));
            } else if (step == QLatin1String("close")) {
                window->close();
            } else {
                // A menu item by its design name, such as MenuModeA2C or MenuViewStBar.
                if (auto *item = window->findChild<QAction *>(step))
                    item->trigger();
                else
                    report(QStringLiteral("NO-SUCH-STEP\t") + step);
            }
        }
    }

    QStringList m_steps;
    bool m_playing = false;
};

void attachRobot()
{
    const QStringList steps
        = qEnvironmentVariable("GLYPH_ROBOT_STEPS").split(u',', Qt::SkipEmptyParts);
    QCoreApplication::instance()->installEventFilter(
        new Robot(steps, QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(attachRobot)

void reachSavePoint(SavePoint point, const std::filesystem::path &file)
{
    const QString here
        = (point == SavePoint::Written ? QStringLiteral("written:") : QStringLiteral("replaced:"))
        + QString::fromStdWString(file.filename().wstring());
    if (here != qEnvironmentVariable("GLYPH_KILL_AT"))
        return;
    report(QStringLiteral("KILLED\t") + here);
    // Nothing of the program's may run after this point, as after a kill from outside.
#ifdef Q_OS_WIN
    TerminateProcess(GetCurrentProcess(), 9);
#else
    ::raise(SIGKILL);
#endif
}
