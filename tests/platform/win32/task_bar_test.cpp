#include "program_run.h"

#include <QtTest>
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
        HWND owner = nullptr;
        for (WindowSlot *slot : run.windows.all()) {
            const auto window = reinterpret_cast<HWND>(slot->show()->winId());
            QCOMPARE(
                GetWindowLongPtrW(window, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), 0);
            QVERIFY(!owner || GetWindow(window, GW_OWNER) == owner);
            owner = GetWindow(window, GW_OWNER);
        }
        QVERIFY(owner && !IsWindowVisible(owner));
    }
};

QTEST_MAIN(TaskBarTest)
#include "task_bar_test.moc"
