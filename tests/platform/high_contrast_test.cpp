#include "platform/high_contrast.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

// A dark desktop theme reaches the program as Qt's palette, which changes while it runs.
class HighContrastTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aDarkPaletteAsksForTheSystemsColoursAndSaysWhenThatChanges()
    {
        const QPalette light = QApplication::palette();
        const std::unique_ptr<HighContrast> highContrast = createHighContrast();
        QVERIFY(!highContrast->isOn());
        QSignalSpy changes(highContrast.get(), &HighContrast::changed);
        QApplication::setPalette(QPalette(Qt::white, QColor(60, 60, 60)));
        QVERIFY(highContrast->isOn());
        QApplication::setPalette(QPalette(Qt::white, QColor(40, 40, 40))); // dark still
        QCOMPARE(changes.count(), 1);
        QApplication::setPalette(light);
        QVERIFY(!highContrast->isOn());
        QCOMPARE(changes.count(), 2);
    }
};

QTEST_MAIN(HighContrastTest)
#include "high_contrast_test.moc"
