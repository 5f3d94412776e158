#include "controls/picture_box.h"
#include "platform/window_placement.h"
#include "program_run.h"

#include <QScreen>
#include <QtTest>

class SecondaryWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A closed window hands the activation to the next one open, the last one to the main window.
    // Qt hears of it after the system does, and only then would a late activation beep.
    void closingAWindowActivatesTheNextOpenOne()
    {
        ProgramRun program;
        QVERIFY(program.loadAndActivate());
        Form *dialog = program.windows.statusDialog.show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        dialog->close();
        QTRY_COMPARE(QApplication::activeWindow(), &program.window);
        Form *about = program.windows.about.show();
        Form *author = program.windows.author.show();
        QVERIFY(QTest::qWaitForWindowActive(author));
        author->close();
        QTRY_COMPARE(QApplication::activeWindow(), about);
        about->close();
        QTRY_COMPARE(QApplication::activeWindow(), &program.window);
        QCOMPARE(program.fakes.beep.count, 0);
    }

    // Qt's offscreen platform shows two screens here, the second at 200 % (CMake hands it their
    // description); under Wine the windows platform has one. The author page's background is
    // compared where no control lies.
    void windowsOpenOnTheMainWindowsScreenDrawnForItsScale()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        if (screens.size() < 2)
            QSKIP("a single screen");
        ProgramRun program;
        QVERIFY(program.loadAndActivate());
        WindowPlacement::centre(&program.window, screens[1]->availableGeometry().center(),
            WindowPlacement::frameNow(&program.window)); // where the pages centre too
        for (WindowSlot *slot :
            { &program.windows.about, &program.windows.author, &program.windows.statusDialog }) {
            Form *form = slot->show();
            QVERIFY(QTest::qWaitForWindowExposed(form));
            QCOMPARE(form->screen(), screens[1]);
            QCOMPARE(form->frameGeometry().center(), program.window.frameGeometry().center());
        }
        Form *author = program.windows.author.window();
        for (QScreen *screen : { screens[1], screens[0] }) {
            WindowPlacement::centre(author, screen->geometry().center(), {});
            QTRY_COMPARE(author->screen(), screen);
            const qreal ratio = screen->devicePixelRatio();
            const QRect spot(QPoint(450, 250) * ratio, QSize(130, 130) * ratio);
            const QPixmap picture
                = loadPictureUncached(QStringLiteral(":/about/author-background.png"), ratio);
            QCOMPARE(author->grab().toImage().copy(spot).convertToFormat(QImage::Format_RGB32),
                picture.toImage().copy(spot).convertToFormat(QImage::Format_RGB32));
        }
    }

    // On a dark palette unlike any colour of the design, a colour left anywhere shows.
    void aDarkPaletteLeavesNoColourOfTheDesign()
    {
        ProgramRun program;
        QVERIFY(program.loadAndActivate());
        const QList<QWidget *> windows = { &program.window, program.windows.welcome.show(),
            program.windows.statusDialog.show(), program.windows.about.show(),
            program.windows.author.show() };
        const auto restore
            = qScopeGuard([light = QApplication::palette()] { QApplication::setPalette(light); });
        QApplication::setPalette(QPalette(Qt::yellow, Qt::darkBlue, Qt::cyan, Qt::darkCyan,
            Qt::gray, Qt::yellow, Qt::red, Qt::black, Qt::black));
        QCoreApplication::processEvents(); // Qt hands the windows the palette through the queue
        for (const QWidget *widget : QApplication::allWidgets())
            QVERIFY2(widget->palette() == QApplication::palette(widget),
                qPrintable(widget->objectName() + QLatin1String(" keeps a colour")));
        for (QWidget *window : windows) {
            const QImage drawn = window->grab().toImage();
            QCOMPARE(drawn.pixelColor(drawn.width() - 3, drawn.height() - 3), QColor(Qt::black));
        }
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
