// A scripted user for the long run (scripts/soak), linked into the real program in a test-only
// build: with the About window's logo gliding the whole time, it spreads over GLYPH_SOAK_SECONDS
// 10,000 keys typed in each mode, 500 toggles of the status bar and 200 openings and closings
// each of the Customize dialog and the About window, then presses Exit. It writes the time of
// every logo tick to GLYPH_SOAK_TICKS and its counts to standard output; the script watches the
// memory from outside, and the driver tells it what the allocator holds.
//
// The logo is a child widget with no window of its own, and the paint system merges repaints, so
// nothing outside the process sees each tick. Inside, the tick is the timer event that moves the
// logo: the driver takes the timer whose event is followed at once by the logo's move, and from
// then on records each of that timer's events as it is dispatched.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int keysPerMode = 10000;
constexpr int barToggles = 500;
constexpr int windowCycles = 200;

void report(const QByteArray &line)
{
    const QByteArray bytes = line + '\n';
    (void)!::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size()));
}

// What a user types in each mode: characters, digits and the named keys in character-to-code
// mode; mostly digits, Backspace and now and then a letter, which warns, in code-to-character.
struct Key
{
    int key;
    QString text;
};

Key keyFor(bool charToCode, int n)
{
    static const QString characters
        = QStringLiteral("abcxyzABCXYZ0189!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ \u00e9\u00fc");
    if (charToCode) {
        switch (n % 40) {
        case 10:
            return { Qt::Key_Backspace, QStringLiteral("\b") };
        case 20:
            return { Qt::Key_Return, QStringLiteral("\r") };
        case 30:
            return { Qt::Key_Escape, QStringLiteral("\x1b") };
        default:
            const QChar c = characters[n % characters.size()];
            return { c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - u'A') : c.unicode(),
                QString(c) };
        }
    }
    if (n % 4 == 3)
        return { Qt::Key_Backspace, QStringLiteral("\b") };
    if (n % 50 == 1)
        return { Qt::Key_Q, QStringLiteral("q") };
    const QChar digit(u'0' + n % 10);
    return { Qt::Key_0 + n % 10, QString(digit) };
}

class SoakDriver : public QObject
{
public:
    explicit SoakDriver(QObject *parent)
        : QObject(parent)
        , m_seconds(qEnvironmentVariableIntValue("GLYPH_SOAK_SECONDS"))
        , m_ticks(std::fopen(qgetenv("GLYPH_SOAK_TICKS").constData(), "w"))
    {
        // A fixed buffer, so that recording the ticks does not itself grow the memory watched.
        if (m_ticks)
            std::setvbuf(m_ticks, m_tickBuffer, _IOFBF, sizeof m_tickBuffer);
        m_clock.start();
        m_pace.setTimerType(Qt::PreciseTimer);
        connect(&m_pace, &QTimer::timeout, this, &SoakDriver::step);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool rightAfterTimer = m_lastEventWasTimer;
        m_lastEventWasTimer = false;
        switch (event->type()) {
        case QEvent::Timer:
            if (watched != &m_pace) {
                m_lastEventWasTimer = true;
                m_lastTimer = watched;
                m_lastTimerAt = m_clock.nsecsElapsed();
                if (watched == m_logoTimer)
                    recordTick(m_lastTimerAt);
            }
            break;
        case QEvent::Move:
            if (rightAfterTimer && m_logoTimer != m_lastTimer
                && watched->objectName() == QLatin1String("PicIcon")) {
                m_logoTimer = m_lastTimer;
                m_previousTick = m_lastTimerAt;
            }
            break;
        case QEvent::Show:
            if (auto *window = qobject_cast<QMainWindow *>(watched);
                window && window->objectName() == QLatin1String("FrmMain") && !m_main) {
                m_main = window;
                QTimer::singleShot(0, this, &SoakDriver::start);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void start()
    {
        openAbout();
        report("PLAYING");
        m_playingSince = m_clock.elapsed();
        m_pace.start(2);
    }

    // Each kind of work keeps pace with the clock on its own: the share done is the share of
    // the run gone by.
    void step()
    {
        const double gone
            = std::min(1.0, double(m_clock.elapsed() - m_playingSince) / (m_seconds * 1000.0));
        const auto due = [gone](int total) { return int(gone * total); };
        while (m_keys < due(2 * keysPerMode))
            typeKey();
        if (m_toggles < due(barToggles)) {
            m_main->findChild<QAction *>(QStringLiteral("MenuViewStBar"))->trigger();
            ++m_toggles;
        }
        // Open in the first half of each cycle, closed in the second.
        if (m_aboutCycles < due(windowCycles)) {
            closeAbout();
            openAbout();
            ++m_aboutCycles;
        }
        if (m_dialogSteps < due(2 * windowCycles))
            toggleDialog();
        // Where the script starts counting the growth.
        if (!m_heapReported && gone >= 0.2) {
            reportHeap();
            m_heapReported = true;
        }
        if (gone >= 1.0)
            finish();
    }

    void typeKey()
    {
        const bool charToCode = m_keys < keysPerMode;
        if (m_keys == keysPerMode)
            m_main->findChild<QAction *>(QStringLiteral("MenuModeA2C"))->trigger();
        const Key key = keyFor(charToCode, m_keys);
        auto *box = m_main->findChild<QLineEdit *>(
            charToCode ? QStringLiteral("Text1") : QStringLiteral("Text2"));
        QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, key.key, {}, key.text));
        QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyRelease, key.key, {}, key.text));
        ++m_keys;
    }

    void openAbout() { m_main->findChild<QAction *>(QStringLiteral("MenuAboutApp"))->trigger(); }

    void closeAbout()
    {
        if (QWidget *about = topLevel("frmAbout"))
            about->findChild<QPushButton *>(QStringLiteral("CmdOK"))->click();
        // A new window brings a new timer, which may take the old one's address.
        m_logoTimer = nullptr;
    }

    // The dialog opens from a click on the bar's first panel, as a user opens it.
    void toggleDialog()
    {
        ++m_dialogSteps;
        if (QWidget *dialog = topLevel("Status_Bar_Dialog"); dialog && dialog->isVisible()) {
            dialog->findChild<QPushButton *>(QStringLiteral("Close"))->click();
            return;
        }
        QWidget *panel = m_main->findChild<QWidget *>(QStringLiteral("Panel1"));
        const QPointF at = panel->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, at, panel->mapToGlobal(at), Qt::LeftButton,
            Qt::LeftButton, {});
        QMouseEvent release(
            QEvent::MouseButtonRelease, at, panel->mapToGlobal(at), Qt::LeftButton, {}, {});
        QCoreApplication::sendEvent(panel, &press);
        QCoreApplication::sendEvent(panel, &release);
    }

    static QWidget *topLevel(const char *name)
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String(name))
                return window;
        }
        return nullptr;
    }

    void recordTick(qint64 at)
    {
        if (m_ticks)
            std::fprintf(m_ticks, "%lld %lld\n", static_cast<long long>(at / 1000000),
                static_cast<long long>((at - m_previousTick) / 1000));
        m_previousTick = at;
        ++m_tickCount;
    }

    // In use and held from the system, in bytes: the allocator keeps freed memory for reuse, and
    // only what is in use can be a leak.
    void reportHeap()
    {
        const struct mallinfo2 heap = ::mallinfo2();
        report(QStringLiteral("HEAP %1 %2 %3")
                   .arg((m_clock.elapsed() - m_playingSince) / 1000)
                   .arg(heap.uordblks + heap.hblkhd)
                   .arg(heap.arena + heap.hblkhd)
                   .toUtf8());
    }

    void finish()
    {
        m_pace.stop();
        reportHeap();
        if (m_ticks)
            std::fclose(m_ticks);
        m_ticks = nullptr;
        report(QStringLiteral("DONE keys %1 toggles %2 about %3 customize %4 ticks %5")
                   .arg(m_keys)
                   .arg(m_toggles)
                   .arg(m_aboutCycles)
                   .arg(m_dialogSteps / 2)
                   .arg(m_tickCount)
                   .toUtf8());
        m_main->findChild<QPushButton *>(QStringLiteral("CmdExit"))->click();
    }

    const int m_seconds;
    std::FILE *m_ticks;
    char m_tickBuffer[1 << 16];
    QTimer m_pace;
    QElapsedTimer m_clock;
    qint64 m_playingSince = 0;
    QMainWindow *m_main = nullptr;

    bool m_lastEventWasTimer = false;
    QObject *m_lastTimer = nullptr;
    qint64 m_lastTimerAt = 0;
    QObject *m_logoTimer = nullptr;
    qint64 m_previousTick = 0;
    long long m_tickCount = 0;

    int m_keys = 0;
    int m_toggles = 0;
    int m_aboutCycles = 0;
    int m_dialogSteps = 0;
    bool m_heapReported = false;
};

void attachDriver()
{
    QCoreApplication::instance()->installEventFilter(new SoakDriver(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(attachDriver)
