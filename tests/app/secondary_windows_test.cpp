#include "about/hover_label.h"
#include "program_run.h"

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
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
