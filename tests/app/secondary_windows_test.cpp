#include "about/hover_label.h"
#include "controls/picture_box.h"
#include "platform/window_placement.h"
#include "program_run.h"

#include <QScreen>
#include <QtTest>

namespace {

// The whole program, loaded and active, and the way to each secondary window by its design name.
struct Program : ProgramRun
{
    explicit Program(const QStringList &values = { "0", "1", "0", "11111" })
        : ProgramRun(values)
    { }

    Form *open(const QString &name)
    {
        if (name == QLatin1String("Status_Bar_Dialog"))
            return windows.statusDialog.show();
        Form *about = windows.about.show();
        return name == QLatin1String("FrmVorlix") ? windows.author.show() : about;
    }
};

} // namespace

class SecondaryWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closingAWindowActivatesTheNextOpenOneOrTheMainWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("closer");
        QTest::addColumn<QString>("next");
        QTest::newRow("Customize dialog, to the main window") << "Status_Bar_Dialog"
                                                              << "Close"
                                                              << "FrmMain";
        QTest::newRow("About window, to the main window") << "frmAbout"
                                                          << "CmdOK"
                                                          << "FrmMain";
        QTest::newRow("author page's back arrow, to the About window beneath") << "FrmVorlix"
                                                                               << "LblBack"
                                                                               << "frmAbout";
        QTest::newRow("author page's X, closing both, to the main window") << "FrmVorlix"
                                                                           << "LblClose"
                                                                           << "FrmMain";
    }
    void closingAWindowActivatesTheNextOpenOneOrTheMainWindow()
    {
        QFETCH(QString, window);
        QFETCH(QString, closer);
        QFETCH(QString, next);
        Program program;
        QVERIFY(program.loadAndActivate());
        Form *top = program.open(window);
        QVERIFY(top && QTest::qWaitForWindowActive(top));
        CONTROL(QWidget, control, top, closer);
        if (auto *label = qobject_cast<HoverLabel *>(control))
            label->click();
        else
            QTest::mouseClick(control, Qt::LeftButton);
        QVERIFY(top->isUnloaded());
        QWidget *expected = program.windows.about.window();
        if (next == QLatin1String("FrmMain"))
            expected = &program.window;
        QVERIFY(expected);
        QTRY_VERIFY(expected->isActiveWindow());
        QCOMPARE(program.fakes.beep.count, 0);
    }

    // Qt's offscreen platform shows two screens here (CMake hands it their description); the
    // windows platform under Wine has one, and nothing to move to.
    void windowsOpenOnTheMainWindowsScreen()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        if (screens.size() < 2)
            QSKIP("a single screen");
        QScreen *second = screens.at(1);
        Program program;
        QVERIFY(program.loadAndActivate());
        WindowPlacement::centre(&program.window, second->geometry().center(), {});
        QTRY_COMPARE(program.window.screen(), second);
        for (const char *name : { "frmAbout", "FrmVorlix", "Status_Bar_Dialog" }) {
            Form *form = program.open(QLatin1String(name));
            QVERIFY(form && QTest::qWaitForWindowExposed(form));
            QCOMPARE(form->screen(), second);
            QCOMPARE(form->devicePixelRatioF(), second->devicePixelRatio());
            const QPoint centre = form->objectName() == QLatin1String("Status_Bar_Dialog")
                ? program.window.geometry().center()
                : second->availableGeometry().center();
            QCOMPARE(form->geometry().center(), centre);
        }
    }

    // The same spot of the author page, bare of controls, drawn from the picture's large drawing.
    void aboutPagesAreDrawnAgainForAScreenOfAnotherScale()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        if (screens.size() < 2 || screens.at(1)->devicePixelRatio() != 2)
            QSKIP("no second screen at 200 %");
        Program program;
        QVERIFY(program.loadAndActivate());
        Form *author = program.open(QStringLiteral("FrmVorlix"));
        QVERIFY(author && QTest::qWaitForWindowExposed(author));
        QCOMPARE(author->devicePixelRatioF(), 1.0);
        WindowPlacement::centre(author, screens.at(1)->geometry().center(), {});
        QTRY_COMPARE(author->screen(), screens.at(1));
        const QRect spot(900, 500, 260, 260); // device pixels of (450, 250) to (580, 380)
        const QImage drawn = author->grab().toImage().copy(spot);
        const QImage large
            = loadPictureUncached(QStringLiteral(":/about/author-background.png"), 2).toImage();
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32),
            large.copy(spot).convertToFormat(QImage::Format_RGB32));
    }

    // A colour fixed anywhere would stand out against a palette unlike any design colour.
    void highContrastLeavesNoColourOfTheDesign_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name :
            { "FrmMain", "FrmWlcm", "Status_Bar_Dialog", "frmAbout", "FrmVorlix" })
            QTest::newRow(name) << name;
    }
    void highContrastLeavesNoColourOfTheDesign()
    {
        QFETCH(QString, window);
        const QPalette system = QApplication::palette();
        const auto restore = qScopeGuard([&system] { QApplication::setPalette(system); });
        QApplication::setPalette(QPalette(Qt::yellow, Qt::darkBlue, Qt::cyan, Qt::darkCyan,
            Qt::gray, Qt::yellow, Qt::red, Qt::black, Qt::black));
        const bool welcome = window == QLatin1String("FrmWlcm");
        Program program({ welcome ? "1" : "0", "1", "0", "11111" }); // the status bar stays hidden
        QWidget *shown = &program.window;
        if (welcome) {
            QVERIFY(program.loadFirstRun());
            shown = program.windows.welcome.window();
        } else {
            QVERIFY(program.loadAndActivate());
            if (window != QLatin1String("FrmMain"))
                shown = program.open(window);
        }
        QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
        program.fakes.highContrast.set(true); // as the system announces it

        QList<QWidget *> widgets = shown->findChildren<QWidget *>();
        widgets.prepend(shown);
        for (const QWidget *widget : widgets)
            QVERIFY2(widget->palette() == QApplication::palette(widget),
                qPrintable(widget->objectName() + QLatin1String(" keeps a colour")));
        const QImage drawn = shown->grab().toImage();
        QCOMPARE(drawn.pixelColor(drawn.width() - 3, drawn.height() - 3), QColor(Qt::black));
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
