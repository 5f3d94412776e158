#include "fake_services.h"
#include "find_control.h"
#include "welcome/welcome_fonts.h"
#include "welcome/welcome_window.h"
#include "welcome_timing.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QPointer>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

namespace {

using namespace WelcomeTiming;

QString letterName(int index)
{
    return QStringLiteral("Lbl1_%1").arg(index);
}

// The welcome window on its own, with the hand-over to the main window counted.
struct Welcome
{
    Welcome() { window->show(); }
    ~Welcome()
    {
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A missing letter fails the calling test and is null.
    QLabel *letter(int index) const { return findControl<QLabel>(window, letterName(index)); }
    bool letterVisible(int index) const
    {
        const QLabel *shown = letter(index);
        return shown && shown->isVisible();
    }
    int visibleLetters() const
    {
        int count = 0;
        for (int i = 0; i < Banner::letterCount; ++i)
            count += letterVisible(i);
        return count;
    }
    // Moves the fake clock to a time counted from the window's load.
    void advanceTo(int ms) { fakes.timers.advance(ms - fakes.timers.now()); }
    // The main window was shown once, this window is gone, and none of its timers brings another.
    bool handedOverOnceForGood()
    {
        const bool gone = window.isNull() || window->isUnloaded();
        fakes.timers.advance(handOverMs);
        return gone && handOvers == 1;
    }

    FakeServices fakes;
    int handOvers = 0;
    QPointer<WelcomeWindow> window = new WelcomeWindow(
        fakes.services, QGuiApplication::primaryScreen(), [this] { ++handOvers; });
};

QString progress(const char *ending)
{
    return QStringLiteral("Loading First Time Configuration (") + QLatin1String(ending);
}

} // namespace

class WelcomeWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typesTheBannerLoadsAndHandsOverToTheMainWindow()
    {
        Welcome welcome;
        QVERIFY(welcome.window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(welcome.window->windowState() & Qt::WindowFullScreen);
        welcome.window->setWindowState(Qt::WindowFullScreen | Qt::WindowMinimized); // as a WM may
        QCOMPARE(welcome.window->windowState(), Qt::WindowFullScreen); // nothing would restore it
        CONTROL(QLabel, cursor, welcome.window, "Lbl4");
        CONTROL(QLabel, bar, welcome.window, "Lbl2");
        CONTROL(QLabel, text, welcome.window, "Lbl3");
        CONTROL(QWidget, panel, welcome.window, "Frame1");
        QVERIFY(cursor->isVisible() && !bar->isVisible() && !text->isVisible());
        const auto cursorIsOn = [&](int index) {
            const QLabel *letter = welcome.letter(index);
            return letter && cursor->x() == letter->x()
                && cursor->y() == qRound(letter->y() - letter->height() / 8.0);
        };
        QVERIFY(cursorIsOn(0));

        // Centred from the size at the first tick, (18000 - 13455) / 2 and (13500 - 7575) / 2
        // twips, and not again.
        welcome.window->resize(1200, 900);
        welcome.advanceTo(10);
        welcome.window->resize(800, 600);
        QCOMPARE(cursor->parentWidget()->pos(), QPoint(152, 198));

        for (int tick = 1; tick < Banner::letterCount; ++tick) {
            welcome.advanceTo(50 * tick);
            const QByteArray at = QByteArray::number(tick);
            QCOMPARE(welcome.visibleLetters(), tick);
            QVERIFY2(welcome.letterVisible(tick - 1), at);
            QVERIFY2(cursorIsOn(tick), at);
        }
        welcome.advanceTo(typingEndsMs);
        QCOMPARE(welcome.visibleLetters(), Banner::letterCount);
        CONTROL(QLabel, last, welcome.window, letterName(Banner::letterCount - 1));
        QCOMPARE(cursor->x(), last->x() + last->width());
        QCOMPARE(cursor->width(), qRound(last->width() * 6 / 7.0));

        welcome.advanceTo(typingEndsMs + 50);
        QVERIFY(bar->isVisible() && text->isVisible());
        QCOMPARE(bar->geometry(), QRect(32, 416, 8, 25)); // 480, 6240, 125 x 375 twips
        QCOMPARE(text->text(), progress("1%), Please wait.."));
        welcome.advanceTo(typingEndsMs + 799);
        QVERIFY(cursor->isVisible());
        welcome.advanceTo(typingEndsMs + 800);
        QVERIFY(!cursor->isVisible());

        welcome.advanceTo(loadingEndsMs);
        QCOMPARE(text->text(), progress("100%), Please wait....."));
        QCOMPARE(bar->width(), 833); // 12500 twips
        welcome.advanceTo(handOverMs - 1);
        QCOMPARE(welcome.handOvers, 0);
        welcome.advanceTo(handOverMs);
        QVERIFY(welcome.handedOverOnceForGood());
    }

    // The product name's letters in their real fonts, with the cursor resting behind them.
    void lastRowFitsItsPanelWithoutLettersTouching()
    {
        Welcome welcome;
        welcome.advanceTo(typingEndsMs);
        for (int i = 23; i < Banner::letterCount; ++i) {
            CONTROL(QLabel, letter, welcome.window, letterName(i));
            CONTROL(QLabel, previous, welcome.window, letterName(i - 1));
            QVERIFY(letter->x() > previous->geometry().right() + 1);
        }
        CONTROL(QWidget, cursor, welcome.window, "Lbl4");
        QVERIFY(cursor->parentWidget()->rect().contains(cursor->geometry()));
    }

    // The main window is still hidden, so leaving it there would leave a program with no window.
    void closingItFromTheDesktopHandsOverAtOnce()
    {
        Welcome welcome;
        welcome.advanceTo(3000);
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QCoreApplication::instance()->notify(welcome.window->windowHandle(), &close);
        QVERIFY(welcome.handedOverOnceForGood());
    }

    void unloadingItFromTheProgramDropsThePendingHandOver()
    {
        Welcome welcome;
        welcome.advanceTo(loadingEndsMs + 1000);
        welcome.window->unload();
        welcome.advanceTo(handOverMs + 1000);
        QCOMPARE(welcome.handOvers, 0);
    }

    // A label with a name of its own is not announced at each new text, so the name is what a
    // screen reader hears: the banner once with the window, the progress at each quarter.
    void screenReaderHearsTheBannerOnceAndTheProgressByQuarters()
    {
        Welcome welcome;
        QCOMPARE(QAccessible::queryAccessibleInterface(welcome.window)->text(QAccessible::Name),
            QStringLiteral("Thank You For Downloading Glyphorbitaloscopex"));
        CONTROL(QLabel, text, welcome.window, "Lbl3");
        QStringList heard;
        for (int ms = typingEndsMs + 50; ms < handOverMs; ms += 50) {
            welcome.advanceTo(ms);
            QVERIFY(!text->accessibleName().isEmpty());
            if (heard.isEmpty() || heard.back() != text->accessibleName())
                heard.append(text->accessibleName());
        }
        QStringList quarters;
        for (const char *percent : { "1", "25", "50", "75", "100" })
            quarters.append(progress(percent) + QStringLiteral("%), Please wait."));
        QCOMPARE(heard, quarters);
    }

    void bannerFaceFallsBackToAnInstalledFace_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::newRow("design face")
            << QStringList { "Algerian", "Rampart One" } << "Algerian" << false;
        QTest::newRow("free display face")
            << QStringList { "Rampart One" } << "Rampart One" << false;
        QTest::newRow("neither") << QStringList {} << "Arial" << true;
    }

    void bannerFaceFallsBackToAnInstalledFace()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, family);
        QFETCH(bool, bold);
        const WelcomeFonts::BannerFace face = WelcomeFonts::chooseBannerFace(
            [&](const QString &name) { return installed.contains(name); });
        QCOMPARE(face.family, family);
        QCOMPARE(face.bold, bold);
    }

    // The family name must be the one the font database knows, or the face silently falls back.
    void firstRowIsDrawnInTheDisplayFaceWhereItIsInstalled()
    {
        if (!QFontDatabase::hasFamily(QStringLiteral("Rampart One")))
            QSKIP("the display face is not installed here");
        Welcome welcome;
        CONTROL(QLabel, first, welcome.window, letterName(0));
        QCOMPARE(QFontInfo(first->font()).family(), QStringLiteral("Rampart One"));
    }
};

QTEST_MAIN(WelcomeWindowTest)
#include "welcome_window_test.moc"
