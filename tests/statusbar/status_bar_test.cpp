#include "controls/twips.h"
#include "fake_clock.h"
#include "fake_lock_keys.h"
#include "fake_timers.h"
#include "platform/lazy_lock_key_state.h"
#include "statusbar/status_bar.h"

#include <QAccessible>
#include <QLayout>
#include <QSignalSpy>
#include <QtTest>

namespace {

using Style = StatusPanel::Style;

// A bar laid out as the main window lays out its own, alone in a window of the main window's
// width, with doubles for the lock keys and the clock.
struct Bar
{
    explicit Bar(const QDateTime &start = QDateTime(QDate(2026, 3, 14), QTime(23, 59, 30, 250)))
        : clock(timers, start)
    {
        const Style styles[]
            = { Style::NumLock, Style::CapsLock, Style::ScrollLock, Style::Time, Style::Date };
        const double widths[] = { 700, 700, 700, 1500, 1500 };
        for (int i = 0; i < 5; ++i)
            bar.addPanel(i + 2, styles[i])->setWidth(widths[i]);
        bar.panel(1)->setAutoSize(StatusPanel::AutoSize::Spring);
        bar.panel(1)->setMinWidth(1000);
        bar.setHeight(300);
        bar.resize(674, 20);
    }

    void showAndSettle()
    {
        bar.show();
        settle();
    }

    void settle()
    {
        // Layouts are redone on posted requests, two levels deep: the bar's and its row's.
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }

    int spacing() const { return bar.panel(1)->parentWidget()->layout()->spacing(); }
    QString accessibleName(int index) const
    {
        return QAccessible::queryAccessibleInterface(bar.panel(index))->text(QAccessible::Name);
    }

    FakeTimers timers;
    FakeLockKeys lockKeys;
    FakeClock clock;
    StatusBar bar { timers, lockKeys, clock };
};

} // namespace

class StatusBarTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void panelsAreAddedAtTheirIndexAndRenumbered()
    {
        FakeTimers timers;
        FakeLockKeys lockKeys;
        FakeClock clock(timers, QDateTime::currentDateTime());
        StatusBar bar(timers, lockKeys, clock);
        QCOMPARE(bar.panelCount(), 1);
        bar.addPanel(2, Style::NumLock);
        bar.addPanel(3, Style::Time);
        bar.addPanel(2, Style::CapsLock); // goes before Num Lock
        bar.addPanel(99, Style::Date); // past the end: appended
        const Style expected[]
            = { Style::Text, Style::CapsLock, Style::NumLock, Style::Time, Style::Date };
        QCOMPARE(bar.panelCount(), 5);
        for (int index = 1; index <= 5; ++index) {
            QCOMPARE(bar.panel(index)->style(), expected[index - 1]);
            QCOMPARE(bar.panel(index)->index(), index);
            QCOMPARE(bar.findChild<StatusPanel *>(QStringLiteral("Panel%1").arg(index)),
                bar.panel(index));
        }
        QVERIFY(bar.panel(0) == nullptr);
        QVERIFY(bar.panel(6) == nullptr);
    }

    void fixedPanelsKeepTheirWidthAndTheSpringTakesTheRest()
    {
        Bar b;
        b.showAndSettle();
        const int fixed[] = { 47, 47, 47, 100, 100 }; // 700 and 1500 twips
        int taken = 0;
        for (int index = 2; index <= 6; ++index) {
            QCOMPARE(b.bar.panel(index)->width(), fixed[index - 2]);
            taken += fixed[index - 2] + b.spacing();
        }
        const int rowWidth = b.bar.panel(1)->parentWidget()->width();
        QCOMPARE(b.bar.panel(1)->width(), rowWidth - taken);
        // The panels lie side by side in index order.
        for (int index = 2; index <= 6; ++index)
            QVERIFY(b.bar.panel(index)->x() > b.bar.panel(index - 1)->x());
    }

    void hiddenPanelsCloseUpAndTheSpringGrows()
    {
        Bar b;
        b.showAndSettle();
        const int springBefore = b.bar.panel(1)->width();
        const int timeLeftBefore = b.bar.panel(5)->x();
        b.bar.setPanelShown(3, false);
        b.settle();
        QVERIFY(!b.bar.isPanelShown(3));
        QCOMPARE(b.bar.panel(1)->width(), springBefore + 47 + b.spacing());
        QCOMPARE(b.bar.panel(5)->x(), timeLeftBefore); // right of the gap nothing moves
        QCOMPARE(b.bar.panel(4)->x(), b.bar.panel(2)->geometry().right() + 1 + b.spacing());

        for (int index = 2; index <= 6; ++index)
            b.bar.setPanelShown(index, false);
        b.settle();
        QCOMPARE(b.bar.panel(1)->width(), b.bar.panel(1)->parentWidget()->width());
    }

    void springNeverGetsNarrowerThanItsMinimum()
    {
        Bar b;
        b.bar.resize(300, 20);
        b.showAndSettle();
        QVERIFY(b.bar.panel(1)->width() >= Twips::toPixels(1000));
    }

    void keyPanelsFollowTheLockKeysAndStayClickable()
    {
        Bar b;
        b.showAndSettle();
        const LockKey keys[] = { LockKey::NumLock, LockKey::CapsLock, LockKey::ScrollLock };
        const char *names[] = { "Num Lock", "Caps Lock", "Scroll Lock" };
        for (int i = 0; i < 3; ++i) {
            StatusPanel *panel = b.bar.panel(i + 2);
            QVERIFY(!panel->isPanelEnabled());
            QCOMPARE(b.accessibleName(i + 2), QStringLiteral("%1 off").arg(names[i]));
            QCOMPARE(panel->foregroundRole(), QPalette::PlaceholderText); // dimmed
            b.lockKeys.set(keys[i], true);
            QVERIFY(panel->isPanelEnabled());
            QCOMPARE(b.accessibleName(i + 2), QStringLiteral("%1 on").arg(names[i]));
            QCOMPARE(panel->foregroundRole(), QPalette::WindowText);
            QVERIFY(panel->isEnabled()); // the widget itself is never disabled
        }
    }

    // One wake-up a minute, at the minute, and the date turns with the minute of midnight.
    void timeAndDateTurnWithTheMinute()
    {
        SKIP_UNLESS_C_LOCALE();
        Bar b; // 23:59:30.250 on 14 March
        b.showAndSettle();
        QCOMPARE(b.bar.panel(5)->text(), QStringLiteral("23:59"));
        QCOMPARE(b.bar.panel(6)->text(), QStringLiteral("14 Mar 2026"));
        b.timers.advance(29749);
        QCOMPARE(b.bar.panel(5)->text(), QStringLiteral("23:59"));
        b.timers.advance(1);
        QCOMPARE(b.bar.panel(5)->text(), QStringLiteral("00:00"));
        QCOMPARE(b.bar.panel(6)->text(), QStringLiteral("15 Mar 2026"));
        QCOMPARE(b.timers.fired() - b.lockKeys.rechecks, 1);
        b.timers.advance(10 * 60000);
        QCOMPARE(b.bar.panel(5)->text(), QStringLiteral("00:10"));
        QCOMPARE(b.timers.fired() - b.lockKeys.rechecks, 11);
    }

    // A lock switched where no notice comes from shows at the next re-read, two seconds on.
    void hiddenBarCostsNoWakeUpsAndCatchesUpWhenShown()
    {
        SKIP_UNLESS_C_LOCALE();
        Bar b;
        b.showAndSettle();
        b.lockKeys.setUnseen(LockKey::CapsLock, true);
        b.timers.advance(2000);
        QVERIFY(b.bar.panel(3)->isPanelEnabled());
        b.bar.hide();
        b.timers.advance(3 * 60000);
        QCOMPARE(b.timers.fired(), 1); // the re-read's, while the bar was shown
        b.bar.show();
        QCOMPARE(b.bar.panel(5)->text(), QStringLiteral("00:02"));
    }

    // Offscreen there is no keyboard state to be had, as in a session without an X server.
    void withoutLockStateEveryKeyReadsOff()
    {
        const std::unique_ptr<LockKeyState> lockKeys = createLockKeyState();
        for (const LockKey key : { LockKey::NumLock, LockKey::CapsLock, LockKey::ScrollLock })
            QVERIFY(!lockKeys->isOn(key));
    }

    void lazyLockStateSetsItsBackendUpOnFirstQuestion()
    {
        int created = 0;
        FakeLockKeys *backend = nullptr;
        LazyLockKeyState lockKeys([&] {
            ++created;
            auto fake = std::make_unique<FakeLockKeys>();
            backend = fake.get();
            return fake;
        });
        QSignalSpy notices(&lockKeys, &LockKeyState::changed);
        QCOMPARE(created, 0);
        QVERIFY(!lockKeys.isOn(LockKey::CapsLock));
        backend->set(LockKey::CapsLock, true);
        QVERIFY(lockKeys.isOn(LockKey::CapsLock));
        QCOMPARE(notices.size(), 1);
        QCOMPARE(created, 1);
    }

    void clickPassesTheClickedPanel()
    {
        Bar b;
        b.showAndSettle();
        QSignalSpy clicks(&b.bar, &StatusBar::panelClicked);
        for (int index = 1; index <= 6; ++index) {
            QTest::mouseClick(b.bar.panel(index), Qt::LeftButton);
            QCOMPARE(clicks.size(), index);
            QCOMPARE(clicks.last().at(0).value<StatusPanel *>(), b.bar.panel(index));
        }
        QTest::mouseClick(b.bar.panel(2), Qt::RightButton);
        QCOMPARE(clicks.size(), 6);
    }

    // A screen reader presses any panel as a click would, once it has had its answer, and the
    // panels stay out of the window's focus order.
    void screenReaderPressesEachPanelAsAClickWould()
    {
        Bar b;
        b.showAndSettle();
        b.bar.panel(1)->setText(QStringLiteral("Status Bar :"));
        QCOMPARE(b.accessibleName(1), QStringLiteral("Status Bar :"));
        QSignalSpy clicks(&b.bar, &StatusBar::panelClicked);
        for (int index = 1; index <= 6; ++index) {
            QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(b.bar.panel(index));
            QCOMPARE(panel->role(), QAccessible::Button);
            panel->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(clicks.size(), index - 1);
            QTRY_COMPARE(clicks.size(), index);
            QCOMPARE(clicks.last().at(0).value<StatusPanel *>(), b.bar.panel(index));
            QCOMPARE(b.bar.panel(index)->focusPolicy(), Qt::NoFocus);
        }
    }
};

QTEST_MAIN(StatusBarTest)
#include "status_bar_test.moc"
