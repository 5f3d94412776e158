#include "app/deferred_window_icon.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <QtTest>

class DeferredWindowIconTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void iconIsLoadedOnceAfterTheFirstWindowIsExposed()
    {
        int loads = 0;
        setWindowIconAfterFirstFrame([&loads] {
            ++loads;
            QPixmap picture(16, 16);
            picture.fill(Qt::red);
            return QIcon(picture);
        });
        QCoreApplication::processEvents();
        QCOMPARE(loads, 0); // nothing drawn yet, so nothing waits for the icon

        QWidget first;
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        QCoreApplication::processEvents();
        QCOMPARE(loads, 1);
        QVERIFY(!QGuiApplication::windowIcon().isNull());
        QVERIFY(!first.windowIcon().isNull());

        QWidget second;
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        QCoreApplication::processEvents();
        QCOMPARE(loads, 1);
    }
};

QTEST_MAIN(DeferredWindowIconTest)
#include "deferred_window_icon_test.moc"
