#include "controls/text_box.h"
#include "controls/twips.h"
#include "find_control.h"
#include "key_input.h"
#include "program_run.h"
#include "statusbar/panels.h"
#include "statusbar/status_bar.h"
#include "welcome_timing.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

// A secondary window that counts how often it was created.
WindowSlot::Factory countingFactory(const QString &name, int &created)
{
    return [name, &created] {
        ++created;
        auto *form = new Form(name);
        form->resize(100, 100);
        return form;
    };
}

// Counts how often a control receives the focus, which a screen reader announces each time.
struct FocusCounter : QObject
{
    explicit FocusCounter(QWidget *watched) { watched->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::FocusIn;
        return false;
    }
    int count = 0;
};

const QString reinstallText
    = QStringLiteral("Application Files not found, Please reinstall product.");

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // ---- start-up ----

    void startsInTheStoredCharToCodeMode()
    {
        ProgramRun run({ "0", "1", "0", "11111" });
        run.window.load();
        QVERIFY(run.window.isVisible());
        QVERIFY(run.characterInput->isVisible());
        QVERIFY(!run.codeInput->isVisible());
        QVERIFY(run.charToCodeAction->isChecked());
        QVERIFY(!run.codeToCharAction->isChecked());
        QCOMPARE(run.caption("Lbl1"), QStringLiteral("&Enter Character"));
        QCOMPARE(run.caption("Lbl2"), QStringLiteral("ASCII Value is"));
        QVERIFY(!run.numericWarning->isVisible());
        QVERIFY(!run.barVisible());
        QVERIFY(!run.statusBarAction->isChecked());
        QVERIFY(run.fakes.messages.shown.empty());
        QCOMPARE(run.fakes.process.calls, 0);
        QCOMPARE(run.window.windowTitle(), QStringLiteral("Glyphorbitaloscopex v1.0"));
    }

    void decimalSettingsAreRoundedNotRefused_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("charToCode");
        QTest::newRow("1.0") << "1.0" << true;
        QTest::newRow("1.5 rounds to 2") << "1.5" << false;
        QTest::newRow("0.5 rounds to even 0") << "0.5" << false;
        QTest::newRow("1.4 rounds to 1") << "1.4" << true;
    }

    void decimalSettingsAreRoundedNotRefused()
    {
        QFETCH(QString, mode);
        QFETCH(bool, charToCode);
        ProgramRun run({ "0.0", mode, "0", "11111" });
        run.window.load();
        QVERIFY(run.fakes.messages.shown.empty());
        QVERIFY(run.window.isVisible());
        QCOMPARE(run.charToCodeAction->isChecked(), charToCode);
    }

    void everyOtherModeValueStartsInCodeToCharMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("0") << "0";
        QTest::newRow("2") << "2";
        QTest::newRow("7") << "7";
        QTest::newRow("-1") << "-1";
    }

    void everyOtherModeValueStartsInCodeToCharMode()
    {
        QFETCH(QString, mode);
        ProgramRun run({ "0", mode, "0", "11111" });
        run.window.load();
        QVERIFY(!run.characterInput->isVisible());
        QVERIFY(run.codeInput->isVisible());
        QVERIFY(run.codeToCharAction->isChecked());
        QVERIFY(!run.charToCodeAction->isChecked());
        QCOMPARE(run.caption("Lbl1"), QStringLiteral("&Enter ASCII Value"));
        QCOMPARE(run.caption("Lbl2"), QStringLiteral("Character is "));
    }

    void clientAreaHasItsDesignedSize()
    {
        ProgramRun run;
        run.window.load();
        QCOMPARE(run.window.centralWidget()->size(), QSize(674, 358));
    }

    void storedStatusBarIsShownAndMakesTheWindowTaller()
    {
        ProgramRun hidden({ "0", "1", "0", "11111" });
        hidden.window.load();
        ProgramRun shown({ "0", "1", "1", "11111" });
        shown.window.load();
        QVERIFY(shown.statusBarAction->isChecked());
        QVERIFY(shown.barVisible());
        QCOMPARE(shown.window.height() - hidden.window.height(), 20); // 300 twips
    }

    // ---- the status bar ----

    // Each tick maps the height in twips afresh, so 15 ticks of 20 twips take the part below the
    // menu bar from 5370 to exactly 5670 twips, whatever the rounding of the steps between.
    void menuGrowsTheWindowTickByTickAndThenShowsTheBar()
    {
        ProgramRun run({ "0", "1", "0", "11111" });
        run.window.load();
        QCOMPARE(run.belowMenu(), Twips::toPixels(5370));
        run.statusBarAction->trigger();
        QVERIFY(run.statusBarAction->isChecked()); // at once
        for (int tick = 1; tick <= 15; ++tick) {
            run.fakes.timers.advance(20);
            QCOMPARE(run.belowMenu(), Twips::toPixels(5370 + 20 * tick));
            QVERIFY2(!run.barVisible(), qPrintable(QString::number(tick)));
        }
        run.fakes.timers.advance(20);
        QVERIFY(run.barVisible());
        QCOMPARE(run.belowMenu(), Twips::toPixels(5670));
        const int ticks = run.fakes.timers.fired();
        run.fakes.timers.advance(1000);
        QCOMPARE(run.fakes.timers.fired(), ticks); // both animation timers are off again
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCOMPARE(run.window.centralWidget()->height(), 358);
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        QCOMPARE(bar->height(), 20);
    }

    void menuHidesTheBarAtOnceAndThenShrinksTheWindow()
    {
        ProgramRun run({ "0", "1", "1", "11111" });
        run.window.load();
        QCOMPARE(run.belowMenu(), Twips::toPixels(5670));
        run.statusBarAction->trigger();
        QVERIFY(!run.barVisible());
        QCOMPARE(run.belowMenu(), Twips::toPixels(5670));
        run.fakes.timers.advance(20 * 15);
        QCOMPARE(run.belowMenu(), Twips::toPixels(5370));
        run.fakes.timers.advance(1000);
        QCOMPARE(run.belowMenu(), Twips::toPixels(5370));
        run.exitButton->click();
        QCOMPARE(run.folder.read(3), QByteArray("0\r\n"));
    }

    // A second click lets the running animation reach its bound; the check mark then decides.
    void secondClickWhileGrowingShrinksBackAfterTheGrowthEnds()
    {
        ProgramRun run({ "0", "1", "0", "11111" });
        run.window.load();
        run.statusBarAction->trigger();
        run.fakes.timers.advance(20 * 5);
        run.statusBarAction->trigger();
        int tallest = 0;
        for (int tick = 0; tick < 40; ++tick) {
            run.fakes.timers.advance(20);
            tallest = std::max(tallest, run.belowMenu());
            QVERIFY(!run.barVisible());
        }
        QCOMPARE(tallest, Twips::toPixels(5670));
        QCOMPARE(run.belowMenu(), Twips::toPixels(5370));
        run.exitButton->click();
        QCOMPARE(run.folder.read(3), QByteArray("0\r\n"));
    }

    void exitDuringAnAnimationStoresTheCheckMark()
    {
        ProgramRun run({ "0", "1", "0", "11111" });
        run.window.load();
        run.statusBarAction->trigger();
        run.fakes.timers.advance(20 * 3);
        run.exitButton->click();
        QCOMPARE(run.folder.read(3), QByteArray("1\r\n"));
    }

    void panelClickReportsItsValue_data()
    {
        QTest::addColumn<int>("panel");
        QTest::addColumn<int>("lockOn"); // -1: none, else the LockKey switched on
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        const int none = -1;
        QTest::newRow("Num Lock on") << 2 << int(LockKey::NumLock) << "Num Lock is ON"
                                     << "Num Lock Status";
        QTest::newRow("Caps Lock off, another on")
            << 3 << int(LockKey::NumLock) << "Caps Lock is OFF"
            << "Caps Lock Status";
        QTest::newRow("Scroll Lock on") << 4 << int(LockKey::ScrollLock) << "Scroll Lock is ON"
                                        << "Scroll Lock Status";
        QTest::newRow("Scroll Lock off") << 4 << none << "Scroll Lock is OFF"
                                         << "Scroll Lock Status";
        QTest::newRow("time, with seconds") << 5 << none << "15:09:26"
                                            << "Time";
        QTest::newRow("date") << 6 << none << "14 Mar 2026"
                              << "Date";
    }

    void panelClickReportsItsValue()
    {
        QFETCH(int, panel);
        QFETCH(int, lockOn);
        QFETCH(QString, text);
        QFETCH(QString, title);
        if (panel >= 5)
            SKIP_UNLESS_C_LOCALE();
        ProgramRun run({ "0", "1", "1", "11111" });
        run.window.load();
        if (lockOn >= 0)
            run.lockKeys.set(LockKey(lockOn), true);
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        QTest::mouseClick(bar->panel(panel), Qt::LeftButton);
        QCOMPARE(run.fakes.messages.shown.size(), size_t(1));
        const ShownMessage &message = run.fakes.messages.shown.front();
        QVERIFY(message.owner == &run.window);
        QCOMPARE(message.text, text);
        QCOMPARE(message.title, title);
        QCOMPARE(message.icon, MessageBox::Icon::None);
    }

    void panelsCarryTheirTooltipsAndLayout()
    {
        ProgramRun run({ "0", "1", "1", "11111" });
        run.window.load();
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        QCOMPARE(bar->panelCount(), Panels::count);
        for (int index = 1; index <= Panels::count; ++index) {
            const Panels::Row &row = Panels::at(index);
            const StatusPanel *panel = bar->panel(index);
            QCOMPARE(panel->style(), row.style);
            QCOMPARE(panel->toolTip(), QLatin1String(row.toolTip));
            QCOMPARE(panel->accessibleDescription(), QLatin1String(row.toolTip));
            if (row.text)
                QCOMPARE(panel->text(), QLatin1String(row.text));
            if (index > 1) {
                QCOMPARE(panel->width(), Twips::toPixels(row.width));
                QCOMPARE(panel->alignment(), Qt::AlignCenter);
            }
        }
        if (QLocale::system().name() == QLatin1String("C"))
            QCOMPARE(bar->panel(5)->text(), QStringLiteral("15:09"));
        QCOMPARE(bar->panel(1)->font().family(), QStringLiteral("Arial"));
        QCOMPARE(bar->panel(1)->font().pointSizeF(), 10.0);
    }

    void activationShowsALockSwitchedUnseen()
    {
        ProgramRun run({ "0", "1", "1", "11111" });
        run.window.load();
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        run.lockKeys.setUnseen(LockKey::CapsLock, true);
        run.window.activateWindow();
        QTRY_VERIFY(bar->panel(3)->isPanelEnabled());
    }

    void captionPanelOpensOneDialogThatActivationBringsBack()
    {
        ProgramRun run({ "0", "1", "1", "11111" });
        QVERIFY(run.loadAndActivate());
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        QTest::mouseClick(bar->panel(1), Qt::LeftButton);
        Form *dialog = run.windows.statusDialog.window();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->objectName(), QStringLiteral("Status_Bar_Dialog"));
        QTest::mouseClick(bar->panel(1), Qt::LeftButton);
        QCOMPARE(run.windows.statusDialog.window(), dialog); // never a second one
        QVERIFY(QTest::qWaitForWindowActive(dialog));

        dialog->setWindowState(Qt::WindowMinimized); // as a window manager may, design or not
        run.window.activateWindow();
        QTRY_COMPARE(run.fakes.beep.count, 1);
        QTRY_VERIFY(dialog->isActiveWindow());
        QVERIFY(!dialog->isMinimized());
    }

    // The dialog acts on the live panels at once, a dialog opened again reads them back, and the
    // settings see the choice only at exit. Reading the stored mask back is the mask's own test.
    void dialogChoicesReachThePanelsAtOnceAndTheSettingsAtExit()
    {
        ProgramRun run({ "0", "1", "1", "11111" });
        run.window.load();
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        QTest::mouseClick(bar->panel(1), Qt::LeftButton);
        for (const char *box : { "Check1_1", "Check1_4" }) {
            CONTROL(QCheckBox, check, run.windows.statusDialog.window(), QLatin1String(box));
            check->click();
        }
        QVERIFY(!bar->panel(3)->isShown());
        QVERIFY(!bar->panel(6)->isShown());
        QTest::keyClick(run.windows.statusDialog.window(), Qt::Key_Escape);
        QCOMPARE(run.folder.read(4), QByteArray("11111\r\n")); // closing writes nothing

        QVERIFY(!run.windows.statusDialog.window());
        QTest::mouseClick(bar->panel(1), Qt::LeftButton);
        Form *dialog = run.windows.statusDialog.window();
        CONTROL(QCheckBox, capsLockBox, dialog, "Check1_1");
        CONTROL(QCheckBox, scrollLockBox, dialog, "Check1_2");
        QVERIFY(!capsLockBox->isChecked());
        QVERIFY(scrollLockBox->isChecked());
        run.exitButton->click();
        QCOMPARE(run.folder.read(4), QByteArray("10110\r\n"));
    }

    void panelMaskHidesPanelsWhereItHoldsZero()
    {
        ProgramRun run({ "0", "1", "1", "10110" });
        run.window.load();
        const bool expected[] = { true, true, false, true, true, false };
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        for (int index = 1; index <= 6; ++index)
            QCOMPARE(bar->panel(index)->isShown(), expected[index - 1]);
    }

    void anyCharacterButZeroLeavesItsPanelShown()
    {
        ProgramRun run({ "0", "1", "1", "x0 1a" });
        run.window.load();
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        QVERIFY(bar->panel(2)->isShown());
        QVERIFY(!bar->panel(3)->isShown());
        QVERIFY(bar->panel(4)->isShown());
    }

    void maskOfABarNeverShownIsKeptAndAppliedWhenShown()
    {
        ProgramRun run({ "0", "1", "0", "01101" });
        run.window.load();
        run.exitButton->click();
        QCOMPARE(run.folder.read(4), QByteArray("01101\r\n"));
        run.statusBarAction->trigger();
        run.fakes.timers.advance(20 * 16);
        const bool expected[] = { true, false, true, true, false, true };
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        for (int index = 1; index <= 6; ++index)
            QCOMPARE(bar->panel(index)->isShown(), expected[index - 1]);
    }

    void maskOfAnotherLengthIsIgnoredAndRewrittenAtExit_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::newRow("four") << "0000";
        QTest::newRow("six") << "000000";
        QTest::newRow("empty line") << "";
    }

    void maskOfAnotherLengthIsIgnoredAndRewrittenAtExit()
    {
        QFETCH(QString, mask);
        ProgramRun run({ "0", "1", "1", mask });
        run.window.load();
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        for (int index = 2; index <= 6; ++index)
            QVERIFY(bar->panel(index)->isShown());
        run.exitButton->click();
        QCOMPARE(run.folder.read(4), QByteArray("11111\r\n"));
    }

    void missingSettingsEndTheStartWithReinstall_data()
    {
        QTest::addColumn<int>("missing"); // 0: the whole AppFiles folder
        for (int number = 0; number <= 4; ++number)
            QTest::newRow(number ? qPrintable(QStringLiteral("AppFile%1").arg(number)) : "folder")
                << number;
    }

    void missingSettingsEndTheStartWithReinstall()
    {
        QFETCH(int, missing);
        ProgramRun run({ "1", "1", "1", "11111" });
        if (missing)
            run.folder.remove(missing);
        else
            run.folder.removeFolder();
        QVERIFY(run.loadFirstRun());
        QCOMPARE(run.fakes.messages.shown.size(), size_t(1));
        const ShownMessage &message = run.fakes.messages.shown.front();
        QVERIFY(!message.owner);
        QCOMPARE(message.text, reinstallText);
        QCOMPARE(message.title, QStringLiteral("Reinstall"));
        QCOMPARE(message.icon, MessageBox::Icon::Information);
        QCOMPARE(run.fakes.process.exitCodeOf, std::optional<int>(1));
        QVERIFY(!run.window.isVisible());
        if (missing != 1 && missing != 0)
            QCOMPARE(run.folder.read(1), QByteArray("1\r\n")); // nothing was written
    }

    void laterMissingFileIsNoticedAfterTheEarlierOnesApplied()
    {
        ProgramRun run({ "1", "0", "1", "11111" });
        run.folder.remove(3);
        int welcomes = 0;
        run.windows.welcome.setFactory(countingFactory(QStringLiteral("FrmWlcm"), welcomes));
        QVERIFY(run.loadFirstRun());
        QCOMPARE(welcomes, 1);
        QVERIFY(run.codeToCharAction->isChecked());
        QCOMPARE(run.fakes.messages.shown.front().title, QStringLiteral("Reinstall"));
        QVERIFY(!run.fakes.messages.shown.front().owner);
    }

    // The welcome window's hand-over must not show a half-loaded main window while the message
    // waits for the user.
    void failedFirstRunNeverShowsTheMainWindow()
    {
        ProgramRun run({ "1", "1", "1", "11111" });
        run.folder.remove(4);
        QVERIFY(run.loadFirstRun());
        QVERIFY(run.windows.welcome.window() == nullptr);
        run.fakes.timers.advance(10000);
        QVERIFY(!run.window.isVisible());
    }

    void damagedSettingsEndTheStartWithAnErrorNamingTheFile_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty first-run file") << 1 << QByteArray();
        QTest::newRow("text in the mode file") << 2 << QByteArray("abc\r\n");
        QTest::newRow("overflow in the mode file") << 2 << QByteArray("99999\r\n");
        QTest::newRow("text in the status-bar file") << 3 << QByteArray("yes\r\n");
        QTest::newRow("binary junk") << 1 << QByteArray("\x01\xff\x00zz", 5);
    }

    void damagedSettingsEndTheStartWithAnErrorNamingTheFile()
    {
        QFETCH(int, number);
        QFETCH(QByteArray, content);
        ProgramRun run({ "0", "1", "1", "11111" });
        run.folder.writeRaw(number, content);
        run.window.load();
        QCOMPARE(run.fakes.messages.shown.size(), size_t(1));
        const ShownMessage &message = run.fakes.messages.shown.front();
        QVERIFY(!message.owner);
        QCOMPARE(message.title, QStringLiteral("Error"));
        QCOMPARE(message.icon, MessageBox::Icon::Critical);
        QVERIFY2(message.text.contains(QStringLiteral("AppFile%1.DLL").arg(number)),
            qPrintable(message.text));
        QCOMPARE(run.fakes.process.exitCodeOf, std::optional<int>(1));
        QVERIFY(!run.window.isVisible());
        QCOMPARE(run.folder.read(number), content);
    }

    void firstRunShowsTheWelcomeWindowAndThenTheMainWindowInItsStoredMode()
    {
        ProgramRun run({ "1", "0", "1", "11111" });
        run.window.load();
        QVERIFY(run.windows.welcome.isVisible());
        QVERIFY(!run.window.findChild<TextBox *>(QStringLiteral("Text1")));
        QVERIFY(run.drawWelcome());
        QVERIFY(run.window.findChild<TextBox *>(QStringLiteral("Text1")));
        QVERIFY(!run.window.isVisible());
        run.fakes.timers.advance(WelcomeTiming::handOverMs - 1);
        QVERIFY(!run.window.isVisible());
        run.fakes.timers.advance(1);
        QVERIFY(run.window.isVisible());
        QVERIFY(run.windows.welcome.window() == nullptr);
        QVERIFY(run.codeInput->isVisible());
        QVERIFY(run.barVisible());
        QCOMPARE(run.folder.read(1), QByteArray("1\r\n")); // only an exit ends the first run
    }

    void closingBeforeTheWelcomeWindowDrawsKeepsTheFirstRun()
    {
        ProgramRun run({ "1", "0", "1", "11111" });
        run.window.load();
        run.window.close();
        QCOMPARE(run.fakes.process.exitCodeOf, std::optional<int>(0));
        QCOMPARE(run.folder.read(1), QByteArray("1\r\n"));
        QCOMPARE(run.folder.read(2), QByteArray("0\r\n"));
    }

    void onlyAFirstRunFlagOfOneShowsTheWelcomeWindow_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::newRow("0") << "0";
        QTest::newRow("2") << "2";
        QTest::newRow("-1") << "-1";
    }

    void onlyAFirstRunFlagOfOneShowsTheWelcomeWindow()
    {
        QFETCH(QString, flag);
        ProgramRun run({ flag, "1", "0", "11111" });
        run.window.load();
        QVERIFY(run.window.isVisible());
        QVERIFY(!run.windows.welcome.isVisible());
    }

    // ---- character to code ----

    void eachKeyReplacesTheLastOne()
    {
        ProgramRun run;
        run.window.load();
        QTest::keyClick(run.characterInput, 'a');
        QTest::keyClick(run.characterInput, 'b');
        QCOMPARE(run.text("Text1"), QStringLiteral("b"));
        QCOMPARE(run.text("Text3"), QStringLiteral("98"));
    }

    void keysWithoutVisibleCharacterAreShownByName_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("Space") << int(Qt::Key_Space) << "Space Key"
                               << "32";
        QTest::newRow("Enter") << int(Qt::Key_Return) << "Enter Key"
                               << "13";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << "Escape Key"
                                << "27";
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "Backspace Key"
                                   << "8";
    }

    void keysWithoutVisibleCharacterAreShownByName()
    {
        QFETCH(int, key);
        QFETCH(QString, name);
        QFETCH(QString, code);
        ProgramRun run;
        run.window.load();
        TextBox *const input = run.characterInput;
        QTest::keyClick(input, Qt::Key(key));
        QCOMPARE(input->text(), name);
        QCOMPARE(run.text("Text3"), code);
        // Pressed again on its own name: the name stays whole, nothing is inserted or eaten.
        QTest::keyClick(input, Qt::Key(key));
        QCOMPARE(input->text(), name);
    }

    void controlCombinationsAreRefusedAndEmptyBothBoxes_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Ctrl+A") << int(Qt::Key_A);
        QTest::newRow("Ctrl+C") << int(Qt::Key_C);
        QTest::newRow("Ctrl+V") << int(Qt::Key_V);
        QTest::newRow("Ctrl+X") << int(Qt::Key_X);
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z);
        QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace);
    }

    void controlCombinationsAreRefusedAndEmptyBothBoxes()
    {
        QFETCH(int, key);
        ProgramRun run;
        QVERIFY(run.loadAndActivate());
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClick(run.characterInput, 'A');
        QTest::keyClick(run.characterInput, Qt::Key(key), Qt::ControlModifier);
        QVERIFY(run.text("Text1").isEmpty());
        QVERIFY(run.text("Text3").isEmpty());
    }

    void controlCodesThirtyAndThirtyOneAreLetThrough()
    {
        ProgramRun run;
        run.window.load();
        QTest::keyClick(run.characterInput, Qt::Key_6, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(run.text("Text1"), QString(QChar(30)));
        QCOMPARE(run.text("Text3"), QStringLiteral("30"));
        QTest::keyClick(run.characterInput, Qt::Key_Minus, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(run.text("Text1"), QString(QChar(31)));
        QCOMPARE(run.text("Text3"), QStringLiteral("31"));
    }

    void ctrlSpaceAndCtrlAtDeliverTheirCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("inBox");
        QTest::addColumn<QString>("result");
        const int ctrl = Qt::ControlModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Ctrl+Space is the space bar") << int(Qt::Key_Space) << ctrl << "Space Key"
                                                     << "32";
        // NUL is cancelled like the other control codes: both boxes end up empty.
        QTest::newRow("Ctrl+@") << int(Qt::Key_At) << ctrlShift << ""
                                << "";
        QTest::newRow("Ctrl+Shift+2") << int(Qt::Key_2) << ctrlShift << ""
                                      << "";
    }

    void ctrlSpaceAndCtrlAtDeliverTheirCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, inBox);
        QFETCH(QString, result);
        ProgramRun run;
        run.window.load();
        QTest::keyClick(run.characterInput, 'A');
        QTest::keyClick(run.characterInput, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(run.text("Text1"), inBox);
        QCOMPARE(run.text("Text3"), result);
    }

    void ctrlAtIsRefusedWithTheWarningInCodeToCharMode()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        QTest::keyClick(run.codeInput, Qt::Key_At, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(run.numericWarning->isVisible());
    }

    void charactersAboveAsciiShowTheirCodePageCode()
    {
        ProgramRun run;
        run.window.load();
        typeCharacter(run.characterInput, QStringLiteral("é"));
        QCOMPARE(run.text("Text1"), QStringLiteral("é"));
        QCOMPARE(run.text("Text3"), QStringLiteral("233"));
        typeCharacter(run.characterInput, QStringLiteral("€"));
        QCOMPARE(run.text("Text3"), QStringLiteral("128"));
    }

    void deletingTheCharacterEmptiesTheResult()
    {
        ProgramRun run;
        run.window.load();
        QTest::keyClick(run.characterInput, 'A');
        QTest::keyClick(run.characterInput, Qt::Key_Home);
        QTest::keyClick(run.characterInput, Qt::Key_Delete);
        QVERIFY(run.text("Text1").isEmpty());
        QVERIFY(run.text("Text3").isEmpty());
    }

    void clickingTheResultSelectsItWhole()
    {
        ProgramRun run;
        QVERIFY(run.loadAndActivate());
        QTest::keyClick(run.characterInput, 'A');
        TextBox *const result = run.result;
        QTest::mouseClick(result, Qt::LeftButton, {}, result->rect().center());
        QVERIFY(result->hasFocus());
        QCOMPARE(result->selectedText(), QStringLiteral("65"));
    }

    // ---- code to character ----

    void typedCodeIsConverted300MsAfterTheFirstDigit()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        QTest::keyClick(run.codeInput, '6');
        run.fakes.timers.advance(200);
        QTest::keyClick(run.codeInput, '5');
        run.fakes.timers.advance(99);
        QVERIFY(run.text("Text3").isEmpty());
        run.fakes.timers.advance(1);
        QCOMPARE(run.text("Text3"), QStringLiteral("A"));
        QVERIFY(run.caption("Lbl4").isEmpty());
    }

    void slowTypingShowsTheFirstDigitsCodeFirst()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        QTest::keyClick(run.codeInput, '6');
        run.fakes.timers.advance(300);
        QCOMPARE(run.text("Text3"), QStringLiteral("ACK"));
        QCOMPARE(run.caption("Lbl4"), QStringLiteral("Acknowledgement"));
        QTest::keyClick(run.codeInput, '5');
        run.fakes.timers.advance(300);
        QCOMPARE(run.text("Text3"), QStringLiteral("A"));
        QVERIFY(run.caption("Lbl4").isEmpty());
    }

    void codesShowTheirAbbreviationOrCharacterAndName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << "0"
                           << "NUL"
                           << "Null Character";
        QTest::newRow("007") << "007"
                             << "BEL"
                             << "Bell";
        QTest::newRow("21") << "21"
                            << "NAC"
                            << "Negative Acknowledgement";
        QTest::newRow("26") << "26"
                            << "SUB"
                            << "substitute";
        QTest::newRow("32") << "32"
                            << "SP"
                            << "Space";
        QTest::newRow("34") << "34"
                            << "\""
                            << "Double Quotes";
        QTest::newRow("64") << "64"
                            << "@"
                            << "AT Symbol";
        QTest::newRow("127") << "127"
                             << "DEL"
                             << "Delete";
        QTest::newRow("128") << "128" << QString(QChar(0x80)) << "";
        QTest::newRow("233") << "233"
                             << "é"
                             << "";
        QTest::newRow("999") << "999" << QString(QChar(0x3E7)) << "";
    }

    void codesShowTheirAbbreviationOrCharacterAndName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(QString, name);
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        QTest::keyClicks(run.codeInput, typed);
        run.fakes.timers.advance(300);
        QCOMPARE(run.text("Text3"), result);
        QCOMPARE(run.caption("Lbl4"), name);
    }

    void refusedKeysShowTheWarningForAMoment_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("letter") << int(Qt::Key_A) << 0;
        QTest::newRow("blank") << int(Qt::Key_Space) << 0;
        QTest::newRow("minus") << int(Qt::Key_Minus) << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0;
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier);
    }

    void refusedKeysShowTheWarningForAMoment()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        ProgramRun run({ "0", "0", "0", "11111" });
        QVERIFY(run.loadAndActivate());
        QGuiApplication::clipboard()->setText(QStringLiteral("9"));
        TextBox *const input = run.codeInput;
        QTest::keyClicks(input, QStringLiteral("12"));
        QTest::keyClick(input, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(input->text(), QStringLiteral("12"));
        QWidget *const warning = run.numericWarning;
        QVERIFY(warning->isVisible());
        QCOMPARE(run.caption("Lbl3"), QStringLiteral("Please enter numeric value"));
        run.fakes.timers.advance(999);
        QVERIFY(warning->isVisible());
        run.fakes.timers.advance(1);
        QVERIFY(!warning->isVisible());
    }

    // The warning timer keeps running once started, so a later warning lasts only until its
    // next tick.
    void laterWarningsLastUntilTheNextTick()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        TextBox *const input = run.codeInput;
        QTest::keyClick(input, 'x');
        run.fakes.timers.advance(1500);
        QTest::keyClick(input, 'x');
        QVERIFY(run.numericWarning->isVisible());
        run.fakes.timers.advance(499);
        QVERIFY(run.numericWarning->isVisible());
        run.fakes.timers.advance(1);
        QVERIFY(!run.numericWarning->isVisible());
    }

    void fourthDigitIsRefusedWithoutWarning()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        QTest::keyClicks(run.codeInput, QStringLiteral("1234"));
        QCOMPARE(run.text("Text2"), QStringLiteral("123"));
        QVERIFY(!run.numericWarning->isVisible());
    }

    void deletingAllDigitsEmptiesTheResult()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        TextBox *const input = run.codeInput;
        QTest::keyClicks(input, QStringLiteral("33"));
        run.fakes.timers.advance(300);
        QCOMPARE(run.caption("Lbl4"), QStringLiteral("Exclamation Mark"));
        QTest::keyClick(input, Qt::Key_Backspace);
        QTest::keyClick(input, Qt::Key_Backspace);
        run.fakes.timers.advance(300);
        QVERIFY(run.text("Text3").isEmpty());
        QVERIFY(run.caption("Lbl4").isEmpty());
    }

    void pastedTextIsReadLeniently_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("warned");
        QTest::newRow("blanks around digits") << " 65"
                                              << "A" << false;
        QTest::newRow("half to even") << "6.5"
                                      << "ACK" << false;
        QTest::newRow("trailing letters") << "65x"
                                          << "A" << false;
        QTest::newRow("negative") << "-5"
                                  << "" << true;
        QTest::newRow("overflow") << "9e9"
                                  << "" << true;
        QTest::newRow("no number") << "abc"
                                   << "" << true;
    }

    void pastedTextIsReadLeniently()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, result);
        QFETCH(bool, warned);
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        QTest::keyClicks(run.codeInput, QStringLiteral("33"));
        run.fakes.timers.advance(300);
        QGuiApplication::clipboard()->setText(pasted);
        run.codeInput->selectAll();
        run.codeInput->paste();
        run.fakes.timers.advance(300);
        QCOMPARE(run.text("Text3"), result);
        QCOMPARE(run.numericWarning->isVisible(), warned);
        if (warned)
            QVERIFY(run.caption("Lbl4").isEmpty());
    }

    // ---- mode switching ----

    void switchingModesRearrangesTheWindow()
    {
        ProgramRun run;
        QVERIFY(run.loadAndActivate());
        FocusCounter resultFocus(run.result);
        QTest::keyClick(run.characterInput, 'A');
        QTest::keyClick(run.characterInput, Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(run.codeToCharAction->isChecked());
        QVERIFY(!run.charToCodeAction->isChecked());
        QVERIFY(run.codeInput->isVisible());
        QVERIFY(!run.characterInput->isVisible());
        QVERIFY(run.codeInput->hasFocus());
        QVERIFY(run.text("Text3").isEmpty());
        QCOMPARE(run.caption("Lbl1"), QStringLiteral("&Enter ASCII Value"));
        QCOMPARE(run.caption("Lbl2"), QStringLiteral("Character is "));
        QCOMPARE(run.text("Text1"), QStringLiteral("A")); // the hidden box keeps its text

        QTest::keyClick(run.codeInput, Qt::Key_F1, Qt::ControlModifier);
        QVERIFY(run.charToCodeAction->isChecked());
        QVERIFY(run.characterInput->isVisible());
        QVERIFY(run.characterInput->hasFocus());
        QVERIFY(run.text("Text1").isEmpty());
        QCOMPARE(run.caption("Lbl1"), QStringLiteral("&Enter Character"));
        QCOMPARE(run.caption("Lbl2"), QStringLiteral("ASCII Value is"));
        QCOMPARE(resultFocus.count, 0); // the focus went straight from box to box
    }

    void choosingTheCurrentModeChangesNothing()
    {
        ProgramRun run;
        QVERIFY(run.loadAndActivate());
        QTest::keyClick(run.characterInput, 'A');
        run.charToCodeAction->trigger();
        QCOMPARE(run.text("Text1"), QStringLiteral("A"));
        QCOMPARE(run.text("Text3"), QStringLiteral("65"));
        QVERIFY(run.charToCodeAction->isChecked());
        QVERIFY(!run.codeToCharAction->isChecked());
        run.codeToCharAction->trigger();
        run.codeToCharAction->trigger();
        QVERIFY(run.codeToCharAction->isChecked());
        QVERIFY(!run.charToCodeAction->isChecked());
        // An exclusive group would draw radio bullets where the menu shows check marks.
        QVERIFY(!run.codeToCharAction->actionGroup());
    }

    void returningToCodeToCharClearsTheOldDigits()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        QVERIFY(run.loadAndActivate());
        QTest::keyClicks(run.codeInput, QStringLiteral("65"));
        run.fakes.timers.advance(300);
        run.charToCodeAction->trigger();
        QCOMPARE(run.text("Text2"), QStringLiteral("65"));
        run.codeToCharAction->trigger();
        QVERIFY(run.text("Text2").isEmpty());
        run.fakes.timers.advance(300);
        QVERIFY(run.text("Text3").isEmpty());
        QVERIFY(run.caption("Lbl4").isEmpty());
    }

    void switchingAwayDropsAPendingConversion()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        QVERIFY(run.loadAndActivate());
        QTest::keyClick(run.codeInput, '0');
        run.charToCodeAction->trigger();
        run.fakes.timers.advance(300);
        QVERIFY(run.text("Text3").isEmpty());
        QVERIFY(run.caption("Lbl4").isEmpty());
    }

    void altEMovesTheFocusToTheVisibleInputBox()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        QVERIFY(run.loadAndActivate());
        run.exitButton->setFocus();
        QTest::keyClick(&run.window, Qt::Key_E, Qt::AltModifier);
        QVERIFY(run.codeInput->hasFocus());
        run.charToCodeAction->trigger();
        run.exitButton->setFocus();
        QTest::keyClick(&run.window, Qt::Key_E, Qt::AltModifier);
        QVERIFY(run.characterInput->hasFocus());
    }

    void inputBoxesCarryNamesForScreenReaders()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        run.window.load();
        const auto name = [&](const char *control) {
            QWidget *widget = findControl(&run.window, QLatin1String(control));
            return widget ? QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name)
                          : QString();
        };
        QCOMPARE(name("Text2"), QStringLiteral("Enter ASCII Value"));
        QCOMPARE(name("Text3"), QStringLiteral("Character is"));
        QCOMPARE(name("CmdExit"), QStringLiteral("Exit"));
        run.charToCodeAction->trigger();
        QCOMPARE(name("Text1"), QStringLiteral("Enter Character"));
        QCOMPARE(name("Text3"), QStringLiteral("ASCII Value is"));
        QCOMPARE(name("MenuMode"), QStringLiteral("Mode"));
        QCOMPARE(name("MenuAbout"), QStringLiteral("About"));
    }

    // ---- ending ----

    void exitWritesAllFourFilesAndEnds_data()
    {
        QTest::addColumn<bool>("switchMode");
        QTest::addColumn<QByteArray>("storedMode");
        QTest::newRow("character to code") << false << QByteArray("1\r\n");
        QTest::newRow("code to character") << true << QByteArray("0\r\n");
    }

    void exitWritesAllFourFilesAndEnds()
    {
        QFETCH(bool, switchMode);
        QFETCH(QByteArray, storedMode);
        ProgramRun run({ "1", "1", "1", "11111" });
        QVERIFY(run.loadFirstRun());
        run.fakes.timers.advance(WelcomeTiming::handOverMs); // the welcome window hands over
        if (switchMode)
            run.codeToCharAction->trigger();
        CONTROL(StatusBar, bar, &run.window, "StatusBar1");
        bar->panel(3)->hide();
        bar->panel(6)->hide();
        run.exitButton->click();
        QCOMPARE(run.folder.read(1), QByteArray("0\r\n"));
        QCOMPARE(run.folder.read(2), storedMode);
        QCOMPARE(run.folder.read(3), QByteArray("1\r\n"));
        QCOMPARE(run.folder.read(4), QByteArray("10110\r\n"));
        QCOMPARE(run.fakes.process.calls, 1);
        QCOMPARE(run.fakes.process.exitCodeOf, std::optional<int>(0));
    }

    void enterOnTheFocusedExitButtonPressesIt()
    {
        ProgramRun run;
        QVERIFY(run.loadAndActivate());
        QPushButton *const exit = run.exitButton;
        exit->setFocus();
        QTest::keyClick(exit, Qt::Key_Return);
        QCOMPARE(run.fakes.process.exitCodeOf, std::optional<int>(0));
    }

    void writeErrorAtExitKeepsTheProgramRunning()
    {
        ProgramRun run({ "1", "1", "1", "00000" });
        QVERIFY(run.loadFirstRun());
        run.fakes.timers.advance(WelcomeTiming::handOverMs);
        run.folder.setWriteProtected(2, true);
        QList<QPair<bool, QByteArray>> watches; // each change, and the first file as it stood then
        run.lockKeys.onSetWatching = [&](bool on) { watches.append({ on, run.folder.read(1) }); };
        run.exitButton->click();
        QCOMPARE(
            watches, (QList<QPair<bool, QByteArray>> { { false, "1\r\n" }, { true, "0\r\n" } }));
        QCOMPARE(run.fakes.messages.shown.size(), size_t(1));
        const ShownMessage &message = run.fakes.messages.shown.front();
        QVERIFY(message.owner == &run.window);
        QCOMPARE(message.title, QStringLiteral("Error"));
        QCOMPARE(message.icon, MessageBox::Icon::Critical);
        QVERIFY2(
            message.text.contains(QStringLiteral("Permission denied")), qPrintable(message.text));
        QCOMPARE(run.fakes.process.calls, 0);
        QVERIFY(run.window.isVisible());
        QCOMPARE(run.folder.read(1), QByteArray("0\r\n")); // written before the error
        QCOMPARE(run.folder.read(2), QByteArray("1\r\n"));
        QCOMPARE(run.folder.read(4), QByteArray("00000\r\n")); // skipped after it

        run.folder.setWriteProtected(2, false);
        run.exitButton->click();
        QCOMPARE(run.fakes.process.calls, 1);
        QCOMPARE(run.folder.read(4), QByteArray("00000\r\n"));
    }

    void closeBoxUnloadsTheOtherWindowsSavesAndEnds()
    {
        ProgramRun run({ "0", "0", "0", "11111" });
        int created = 0;
        run.windows.about.setFactory(countingFactory(QStringLiteral("frmAbout"), created));
        QVERIFY(run.loadAndActivate());
        run.windows.about.show();
        QVERIFY(run.windows.about.isVisible());
        run.window.close();
        QVERIFY(run.windows.about.window() == nullptr);
        QCOMPARE(run.folder.read(1), QByteArray("0\r\n"));
        QCOMPARE(run.folder.read(2), QByteArray("0\r\n"));
        QCOMPARE(run.fakes.process.exitCodeOf, std::optional<int>(0));
    }

    void closeBoxWithAWriteErrorStillEndsWithTheMainWindow()
    {
        ProgramRun run({ "1", "1", "0", "11111" });
        QVERIFY(run.loadFirstRun()); // the welcome window is still on
        run.folder.setWriteProtected(1, true);
        run.window.close();
        QCOMPARE(run.fakes.messages.shown.size(), size_t(1));
        QVERIFY(run.fakes.messages.shown.front().owner == &run.window);
        QVERIFY(!run.window.isVisible());
        // An unloaded window's timers are stopped, so its hand-over never comes.
        run.fakes.timers.advance(WelcomeTiming::handOverMs + 1000);
        QVERIFY(!run.window.isVisible());
        QCOMPARE(run.folder.read(1), QByteArray("1\r\n"));
    }

    void aboutMenuShortcutWinsOverTheInputBox()
    {
        ProgramRun run;
        int created = 0;
        run.windows.about.setFactory(countingFactory(QStringLiteral("frmAbout"), created));
        QVERIFY(run.loadAndActivate());
        QTest::keyClick(run.characterInput, 'A');
        QTest::keyClick(run.characterInput, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(created, 1);
        QCOMPARE(run.text("Text1"), QStringLiteral("A"));
        QCOMPARE(run.text("Text3"), QStringLiteral("65"));
    }

    // ---- the secondary windows ----

    void activatingTheMainWindowBringsBackTheOpenWindow()
    {
        ProgramRun run;
        int aboutCreated = 0;
        int authorCreated = 0;
        int dialogCreated = 0;
        run.windows.about.setFactory(countingFactory(QStringLiteral("frmAbout"), aboutCreated));
        run.windows.author.setFactory(countingFactory(QStringLiteral("FrmVorlix"), authorCreated));
        run.windows.statusDialog.setFactory(
            countingFactory(QStringLiteral("Status_Bar_Dialog"), dialogCreated));
        QVERIFY(run.loadAndActivate());
        QCOMPARE(run.fakes.beep.count, 0); // windows never opened are neither shown nor made
        QCOMPARE(aboutCreated + authorCreated + dialogCreated, 0);

        Form *dialog = run.windows.statusDialog.show();
        Form *about = run.windows.about.show();
        Form *author = run.windows.author.show();
        QVERIFY(QTest::qWaitForWindowActive(author));
        run.window.activateWindow();
        QTRY_COMPARE(run.fakes.beep.count, 1);
        QTRY_VERIFY(author->isActiveWindow()); // the author page goes before the About window
        QCOMPARE(aboutCreated, 1);
        QSignalSpy focusMoves(qApp, &QGuiApplication::focusWindowChanged);
        run.window.activateWindow(); // a window manager handing the same click's activation back
        QTRY_COMPARE(focusMoves.count(), 2); // to the main window, and sent back again
        QCOMPARE(run.fakes.beep.count, 1);

        author->unload();
        run.fakes.timers.advance(250); // the next click
        run.window.activateWindow();
        QTRY_COMPARE(run.fakes.beep.count, 2);
        QTRY_VERIFY(about->isActiveWindow()); // and the About window before the dialog
        QCOMPARE(authorCreated, 1);

        about->unload();
        run.fakes.timers.advance(250);
        run.window.activateWindow();
        QTRY_COMPARE(run.fakes.beep.count, 3);
        QTRY_VERIFY(dialog->isActiveWindow());
        QCOMPARE(dialogCreated, 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
