#include "fake_services.h"
#include "platform/label.h"
#include "welcome/frm_wlcm.h"
#include "welcome/welcome_fonts.h"
#include "welcome_timing.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QPointer>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

namespace {

using namespace WelcomeTiming;

// The welcome window on its own, with the hand-over to the main window counted.
struct Welcome
{
    Welcome() { window->show(); }
    ~Welcome()
    {
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QWidget *find(const QString &name) const
    {
        QWidget *found = window ? window->findChild<QWidget *>(name) : nullptr;
        if (!found)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }
    QWidget *letter(int index) const { return find(QStringLiteral("Lbl1_%1").arg(index)); }
    QString caption(const char *name) const
    {
        auto *label = qobject_cast<QLabel *>(find(QLatin1String(name)));
        return label ? label->text() : QStringLiteral("<missing>");
    }
    int visibleLetters() const
    {
        int count = 0;
        for (int i = 0; i < Banner::letterCount; ++i)
            count += letter(i)->isVisible();
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
    QPointer<FrmWlcm> window = new FrmWlcm(fakes.services, [this] { ++handOvers; });
};

const QString loading = QStringLiteral("Loading First Time Configuration (");

} // namespace

class FrmWlcmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensBorderlessFullScreenWithNothingTypedYet()
    {
        Welcome welcome;
        QVERIFY(welcome.window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(welcome.window->windowState() & Qt::WindowFullScreen);
        QCOMPARE(welcome.window->windowTitle(), QStringLiteral("Welcome"));
        QCOMPARE(welcome.visibleLetters(), 0);
        QVERIFY(!welcome.find("Lbl2")->isVisible());
        QVERIFY(!welcome.find("Lbl3")->isVisible());
        QVERIFY(welcome.find("Lbl4")->isVisible());
        QCOMPARE(welcome.caption("Lbl4"), QStringLiteral("_"));
        QCOMPARE(welcome.find("Frame1")->pos(), QPoint(24, 24)); // 360 twips until centred
    }

    void panelIsCentredOnceAtTheFirstCentringTick()
    {
        Welcome welcome;
        welcome.window->resize(1200, 900);
        welcome.advanceTo(10);
        QWidget *frame = welcome.find("Frame1");
        // (18000 - 13455) / 2 and (13500 - 7575) / 2 twips
        QCOMPARE(frame->pos(), QPoint(qRound(2272.5 / 15), qRound(2962.5 / 15)));
        welcome.window->resize(800, 600);
        welcome.advanceTo(1000);
        QCOMPARE(frame->pos(), QPoint(qRound(2272.5 / 15), qRound(2962.5 / 15)));
    }

    void typesTheBannerLoadsAndHandsOverToTheMainWindow()
    {
        Welcome welcome;
        QWidget *cursor = welcome.find("Lbl4");
        const auto cursorIsOn = [&](int index) {
            const QWidget *letter = welcome.letter(index);
            return cursor->x() == letter->x()
                && cursor->y() == qRound((letter->y() * 15 - letter->height() * 15 / 8.0) / 15);
        };
        QVERIFY(cursorIsOn(0));
        for (int tick = 1; tick < Banner::letterCount; ++tick) {
            welcome.advanceTo(50 * tick);
            QCOMPARE(welcome.visibleLetters(), tick);
            QVERIFY2(welcome.letter(tick - 1)->isVisible(), qPrintable(QString::number(tick)));
            QVERIFY2(cursorIsOn(tick), qPrintable(QString::number(tick)));
        }
        welcome.advanceTo(typingEndsMs);
        QCOMPARE(welcome.visibleLetters(), Banner::letterCount);
        const QWidget *last = welcome.letter(Banner::letterCount - 1);
        QCOMPARE(cursor->x(), last->x() + last->width());
        QCOMPARE(cursor->width(), qRound(last->width() * 6 / 7.0));
        QVERIFY(cursor->isVisible());

        welcome.advanceTo(typingEndsMs + 50);
        QWidget *bar = welcome.find("Lbl2");
        QVERIFY(bar->isVisible());
        QVERIFY(welcome.find("Lbl3")->isVisible());
        QCOMPARE(bar->geometry(), QRect(32, 416, 8, 25)); // 480, 6240, 125 x 375 twips
        QCOMPARE(welcome.caption("Lbl3"), loading + QStringLiteral("1%), Please wait.."));

        welcome.advanceTo(typingEndsMs + 799);
        QVERIFY(cursor->isVisible());
        welcome.advanceTo(typingEndsMs + 800);
        QVERIFY(!cursor->isVisible());
        welcome.advanceTo(typingEndsMs + 1600);
        QVERIFY(cursor->isVisible());

        welcome.advanceTo(loadingEndsMs);
        QCOMPARE(welcome.caption("Lbl3"), loading + QStringLiteral("100%), Please wait....."));
        QCOMPARE(bar->width(), 833); // 12500 twips

        welcome.advanceTo(handOverMs - 1);
        QCOMPARE(welcome.handOvers, 0);
        welcome.advanceTo(handOverMs);
        QVERIFY(welcome.handedOverOnceForGood());
    }

    // Without a hand-over the main window would stay hidden and the program run on unseen.
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
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(welcome.window);
        QCOMPARE(window->text(QAccessible::Name),
            QStringLiteral("Thank You For Downloading Glyphorbitaloscopex"));

        QWidget *progress = welcome.find("Lbl3");
        QStringList heard;
        for (int ms = typingEndsMs + 50; ms < handOverMs; ms += 50) {
            welcome.advanceTo(ms);
            QVERIFY(!progress->accessibleName().isEmpty());
            if (heard.isEmpty() || heard.back() != progress->accessibleName())
                heard.append(progress->accessibleName());
        }
        QStringList quarters;
        for (const char *percent : { "1", "25", "50", "75", "100" })
            quarters.append(loading + QLatin1String(percent) + QStringLiteral("%), Please wait."));
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
        QCOMPARE(QFontInfo(welcome.letter(0)->font()).family(), QStringLiteral("Rampart One"));
        QCOMPARE(QFontInfo(welcome.letter(8)->font()).family(),
            QFontInfo(WelcomeFonts::arial(36)).family());
    }
};

QTEST_MAIN(FrmWlcmTest)
#include "frm_wlcm_test.moc"
