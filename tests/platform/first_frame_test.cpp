#include "platform/first_frame.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <QtTest>
#include <memory>

namespace {

void showAndDraw(QWidget &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
}

} // namespace

class FirstFrameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Stands first: it needs an application that has not shown a window yet.
    void applicationWideWorkRunsOnceAfterWhicheverWindowIsDrawnFirst()
    {
        int runs = 0;
        afterFirstFrame(qApp, qApp, [&runs] { ++runs; });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
        QWidget first;
        showAndDraw(first);
        QCOMPARE(runs, 1);
        QWidget second;
        showAndDraw(second);
        QCOMPARE(runs, 1);
    }

    void workForOneWindowWaitsForThatWindow()
    {
        QWidget watched;
        watched.setAttribute(Qt::WA_NativeWindow); // its window exists before it is shown
        int runs = 0;
        afterFirstFrame(watched.windowHandle(), qApp, [&runs] { ++runs; });
        QWidget other;
        showAndDraw(other);
        QCOMPARE(runs, 0);
        showAndDraw(watched);
        QCOMPARE(runs, 1);
    }

    void workIsDroppedWhenItsContextGoesFirst()
    {
        auto context = std::make_unique<QObject>();
        int runs = 0;
        afterFirstFrame(qApp, context.get(), [&runs] { ++runs; });
        context.reset();
        QWidget window;
        showAndDraw(window);
        QCOMPARE(runs, 0);
    }
};

QTEST_MAIN(FirstFrameTest)
#include "first_frame_test.moc"
