#include "program_run.h"

#include <QtTest>
#include <set>
#include <windows.h>

// The windows kept out of the task bar, on Qt's own Windows platform, where what Windows made of
// them can be read back: an owned window without the app-window style has no task-bar button.
class TaskBarTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondaryWindowsShareAHiddenOwnerAndNoneIsAToolWindow()
    {
        ProgramRun run;
        std::set<HWND> owners;
        for (WindowSlot *slot : run.windows.all()) {
            const auto window = reinterpret_cast<HWND>(slot->show()->winId());
            const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
            QCOMPARE(style & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), 0);
            owners.insert(GetWindow(window, GW_OWNER));
        }
        QCOMPARE(owners.size(), std::size_t(1));
        QVERIFY(*owners.begin() && !IsWindowVisible(*owners.begin()));
    }
};

QTEST_MAIN(TaskBarTest)
#include "task_bar_test.moc"
