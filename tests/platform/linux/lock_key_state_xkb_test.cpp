#include "platform/lock_key_state.h"

#include <QProcess>
#include <QtTest>

// The X keyboard's lights on a private virtual display, changed from outside the program as the
// user's keyboard and desktop would change them.
class LockKeyStateXkbTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void capsLockFollowsTheKeyAndAKeymapThatMovesItsLight()
    {
        const std::unique_ptr<LockKeyState> state = createLockKeyState();
        const auto run = [](const char *command) {
            QStringList arguments = QProcess::splitCommand(QString::fromLatin1(command));
            return QProcess::execute(arguments.takeFirst(), arguments) == 0;
        };
        QVERIFY(!state->isOn(LockKey::CapsLock));
        QVERIFY(run("xdotool key Caps_Lock"));
        QTRY_VERIFY(state->isOn(LockKey::CapsLock));
        // Sun's keycodes move the Caps Lock light to the fourth bit and Num Lock's to the first;
        // laid over the usual ones, they keep the keycode range whole, as xdotool needs.
        QVERIFY(run("setxkbmap -keycodes evdev+sun(type6)"));
        for (const bool on : { false, true }) {
            QVERIFY(run("xdotool key Caps_Lock"));
            QTRY_COMPARE(state->isOn(LockKey::CapsLock), on);
        }
    }
};

QTEST_MAIN(LockKeyStateXkbTest)
#include "lock_key_state_xkb_test.moc"
