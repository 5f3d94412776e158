#include "about/about_window.h"
#include "about/author_page.h"
#include "about/hover_label.h"
#include "controls/picture_box.h"
#include "fake_services.h"
#include "fake_url_opener.h"
#include "find_control.h"
#include "program_run.h"

#include <QAccessible>
#include <QAction>
#include <QPixmapCache>
#include <QPushButton>
#include <QtTest>

namespace {

// A spot of the windows' own surface where no control lies: the lower right corner.
const QPoint bareSurface(585, 385);

// Moves go through the window, as a real pointer's do, so the window decides which control lies
// under the pointer.
void moveTo(QWidget *window, QPoint position)
{
    QTest::mouseMove(window->windowHandle(), position);
}

void moveOver(QWidget *control)
{
    QWidget *window = control->window();
    moveTo(window, control->mapTo(window, control->rect().center()));
}

void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton);
}

bool underlined(const QWidget *label)
{
    return label->font().underline();
}

QColor textColour(const QWidget *label)
{
    return label->palette().color(QPalette::WindowText);
}

// Every hover label of both pages: rule, page, design name, and the address a click opens ("" for
// none). Nothing else may ever be handed to the browser.
const char *const hoverRows[][4] = {
    { "web site, as written", "about", "LblWS", "http://www.example.com" },
    { "maker's Facebook, plain", "about", "LblFB", "http://www.example.org/QuillmarkSoftware" },
    { "maker's Twitter, secure", "about", "LblTW", "https://www.example.net/QuillmarkSoft" },
    { "author's name", "about", "LblVorlix", "" },
    { "first web mail, its home page", "author", "LblGM", "http://www.example.org" },
    { "second web mail, its home page", "author", "LblHM", "http://www.example.net" },
    { "author's Facebook, plain", "author", "LblFB", "http://www.example.org/marek.vorlix" },
    { "author's Twitter, secure", "author", "LblTW", "https://www.example.net/MarekVorlix" },
    { "author page's web site, the maker's", "author", "LblWS", "http://www.example.com" },
    { "about X", "about", "LblClose", "" },
    { "about ->", "about", "LblNext", "" },
    { "author <-", "author", "LblBack", "" },
    { "author X", "author", "LblClose", "" },
};

// The whole program, loaded, with the way to the About window and its author page.
struct Program : ProgramRun
{
    Program() { window.load(); }

    // "about" opens the About window from the menu, "author" the author page from there.
    Form *open(const QString &page)
    {
        if (auto *menu = findControl<QAction>(&window, QStringLiteral("MenuAboutApp")))
            menu->trigger();
        if (page == QLatin1String("author")) {
            if (HoverLabel *next = label(QStringLiteral("about"), QStringLiteral("LblNext")))
                next->click();
        }
        return (page == QLatin1String("author") ? windows.author : windows.about).window();
    }

    // A missing label fails the calling test and is null.
    HoverLabel *label(const QString &page, const QString &name,
        const std::source_location &caller = std::source_location::current())
    {
        Form *form = (page == QLatin1String("author") ? windows.author : windows.about).window();
        if (!form)
            form = open(page);
        return findControl<HoverLabel>(form, name, caller);
    }
};

// The About window alone, with a System Information launcher that answers as told.
struct AboutAlone
{
    AboutAlone()
    {
        windows.about.setFactory([this] {
            const auto launch = [this] {
                ++launches;
                return toolAvailable;
            };
            return new AboutWindow(fakes.services, urls, launch, [] { return nullptr; });
        });
        window = windows.about.show();
    }

    FakeServices fakes;
    FakeUrlOpener urls;
    bool toolAvailable = true;
    int launches = 0;
    SecondaryWindows windows;
    Form *window = nullptr;
};

} // namespace

class AboutWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bothPagesAreBorderlessWindowsInTheSamePlace()
    {
        Program program;
        Form *about = program.open(QStringLiteral("about"));
        Form *author = program.open(QStringLiteral("author"));
        QVERIFY(about && author && about->isVisible() && author->isVisible());
        for (Form *page : { about, author }) {
            QVERIFY(page->windowFlags().testFlag(Qt::FramelessWindowHint));
            QVERIFY(!page->parentWidget());
            QCOMPARE(page->size(), QSize(600, 400));
        }
        QCOMPARE(author->geometry(), about->geometry());
        QCOMPARE(about->geometry().center(), about->screen()->availableGeometry().center());

        CONTROL(QWidget, logo, about, "PicIcon");
        QCOMPARE(logo->size(), QSize(70, 70));
        for (const char *separator : { "Line1", "Line2" }) {
            CONTROL(QWidget, grey, about, QLatin1String(separator) + "_1");
            CONTROL(QWidget, white, about, QLatin1String(separator) + "_0");
            QCOMPARE(white->y(), grey->y() + 1); // a groove, whatever the rounding
        }
        const QColor greenBand = about->grab().toImage().pixelColor(45, 200);
        QVERIFY(greenBand.green() > greenBand.red() + 40);
        const QColor yellowFoot = author->grab().toImage().pixelColor(100, 380);
        QVERIFY(yellowFoot.red() > yellowFoot.blue() + 100);
    }

    // At 200 % each picture is its own drawing at twice the size, not the small one doubled.
    void picturesComeDrawnAtTwiceTheSizeForTwoDevicePixelsToThePixel()
    {
        for (const char *name : { "logo", "about-background", "author-background" }) {
            const QString path = QStringLiteral(":/about/%1.png").arg(QLatin1String(name));
            const QPixmap plain = loadPictureUncached(path, 1);
            const QPixmap doubled = loadPictureUncached(path, 2);
            QCOMPARE(doubled.size(), plain.size() * 2);
            QCOMPARE(doubled.deviceIndependentSize(), QSizeF(plain.size()));
        }
    }

    // ---- links and arrows ----

    void hoverLabelsFollowTheHoverConvention_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("address"); // what a click opens, for the links to the web
        for (const auto &row : hoverRows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]) << QString(row[3]);
    }

    void hoverLabelsFollowTheHoverConvention()
    {
        QFETCH(QString, page);
        QFETCH(QString, label);
        QFETCH(QString, address);
        Program program;
        HoverLabel *hover = program.label(page, label);
        QVERIFY(hover);
        if (hover->kind() == HoverLabel::Kind::Link) {
            QCOMPARE(textColour(hover), QColor(0, 0, 255));
            moveOver(hover);
            QVERIFY(underlined(hover));
            QCOMPARE(hover->cursor().shape(), Qt::PointingHandCursor);
            moveTo(hover->window(), bareSurface);
            QVERIFY(!underlined(hover));
            QCOMPARE(textColour(hover), QColor(0, 0, 255));
        } else {
            QCOMPARE(hover->font().pointSizeF(), 9.75);
            const int restWidth = hover->width();
            moveOver(hover);
            QCOMPARE(hover->font().pointSizeF(), 12.0);
            QCOMPARE(textColour(hover), QColor(Qt::red));
            QVERIFY(hover->width() > restWidth);
            QVERIFY(!underlined(hover));
            moveTo(hover->window(), bareSurface);
            QCOMPARE(hover->font().pointSizeF(), 10.0);
            QCOMPARE(textColour(hover), QColor(Qt::white));
        }
        if (address.isEmpty())
            return;
        click(hover);
        QCOMPARE(program.urls.opened.size(), size_t(1));
        QCOMPARE(program.urls.opened.front().url, address);
        QCOMPARE(program.urls.opened.front().window.data(), hover->window());
    }

    void onlyTheFixedAddressesAreEverOpened()
    {
        Program program;
        for (const QString &page : { QStringLiteral("about"), QStringLiteral("author") }) {
            QWidget *form = program.open(page);
            QVERIFY(form);
            // By name: a click on "X" unloads the page, and the next label comes from a new one.
            QStringList names;
            for (const HoverLabel *hover : form->findChildren<HoverLabel *>())
                names.append(hover->objectName());
            for (const QString &name : std::as_const(names)) {
                const auto row
                    = std::find_if(std::begin(hoverRows), std::end(hoverRows), [&](const auto &r) {
                          return page == QLatin1String(r[1]) && name == QLatin1String(r[2]);
                      });
                QVERIFY2(row != std::end(hoverRows), qPrintable(page + u' ' + name));
                // The labels that lead elsewhere in the program must not reach the browser.
                program.urls.opened.clear();
                HoverLabel *hover = program.label(page, name);
                QVERIFY(hover);
                click(hover);
                const QString address = QLatin1String((*row)[3]);
                QCOMPARE(program.urls.opened.size(), size_t(address.isEmpty() ? 0 : 1));
                if (!address.isEmpty())
                    QCOMPARE(program.urls.opened.front().url, address);
            }
        }
    }

    void onlyTheBareSurfaceResetsTheHover_data()
    {
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("resets");
        QTest::newRow("static label") << "Label2" << false;
        QTest::newRow("empty disclaimer label") << "lblDisclaimer" << false;
        QTest::newRow("button") << "CmdOK" << false;
        QTest::newRow("picture") << "PicIcon" << false;
        QTest::newRow("another link") << "LblFB" << false;
        QTest::newRow("etched line, drawn on the surface") << "Line1_0" << true;
        QTest::newRow("bare surface") << "" << true;
    }

    void onlyTheBareSurfaceResetsTheHover()
    {
        QFETCH(QString, over);
        QFETCH(bool, resets);
        Program program;
        HoverLabel *link = program.label(QStringLiteral("about"), QStringLiteral("LblWS"));
        HoverLabel *arrow = program.label(QStringLiteral("about"), QStringLiteral("LblNext"));
        QVERIFY(link && arrow);
        moveOver(arrow);
        moveOver(link);
        if (over.isEmpty()) {
            moveTo(link->window(), bareSurface);
        } else {
            CONTROL(QWidget, control, link->window(), over);
            moveOver(control);
        }
        QCOMPARE(underlined(link), !resets);
        QCOMPARE(textColour(arrow), resets ? QColor(Qt::white) : QColor(Qt::red));
    }

    void linksAndArrowsAreNamedAndPressableForAScreenReader()
    {
        Program program;
        QAccessibleInterface *link = QAccessible::queryAccessibleInterface(
            program.label(QStringLiteral("about"), QStringLiteral("LblTW")));
        QAccessibleInterface *arrow = QAccessible::queryAccessibleInterface(
            program.label(QStringLiteral("about"), QStringLiteral("LblClose")));
        QVERIFY(link && link->actionInterface() && arrow && arrow->actionInterface());
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), QStringLiteral("example.net/QuillmarkSoft"));
        QCOMPARE(arrow->role(), QAccessible::Button);
        QCOMPARE(arrow->text(QAccessible::Name), QStringLiteral("Close")); // from its tooltip

        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(program.urls.opened.size(), size_t(1));
        arrow->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!program.windows.about.window());
    }

    void bothPagesAreDialogsForAScreenReader()
    {
        Program program;
        program.open(QStringLiteral("author"));
        for (WindowSlot *slot : { &program.windows.about, &program.windows.author }) {
            QAccessibleInterface *window = QAccessible::queryAccessibleInterface(slot->window());
            QVERIFY(window);
            QCOMPARE(window->role(), QAccessible::Dialog);
            QCOMPARE(window->text(QAccessible::Name), QStringLiteral("About"));
        }
    }

    // ---- System Information and keys ----

    void systemInfoSaysWhenTheToolIsUnavailable()
    {
        AboutAlone about;
        CONTROL(QPushButton, sysInfoButton, about.window, "CmdSysInfo");
        click(sysInfoButton);
        QCOMPARE(about.launches, 1);
        QVERIFY(about.fakes.messages.shown.empty());

        about.toolAvailable = false;
        click(sysInfoButton);
        QCOMPARE(about.launches, 2); // nothing is remembered between clicks
        QCOMPARE(about.fakes.messages.shown.size(), size_t(1));
        const ShownMessage &message = about.fakes.messages.shown.front();
        QVERIFY(message.owner == about.window);
        QCOMPARE(message.text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(message.title, QStringLiteral("Glyphorbitaloscopex"));
        QCOMPARE(message.icon, MessageBox::Icon::None);
        QVERIFY(about.window->isVisible());
    }

    void escAndEnterPressOkUnlessSystemInfoTakesEnter_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("launches");
        QTest::newRow("Esc, OK focused") << "CmdOK" << int(Qt::Key_Escape) << true << 0;
        QTest::newRow("Esc, System Info focused")
            << "CmdSysInfo" << int(Qt::Key_Escape) << true << 0;
        QTest::newRow("Enter, OK focused") << "CmdOK" << int(Qt::Key_Return) << true << 0;
        QTest::newRow("keypad Enter") << "CmdOK" << int(Qt::Key_Enter) << true << 0;
        QTest::newRow("Enter, System Info focused")
            << "CmdSysInfo" << int(Qt::Key_Return) << false << 1;
        QTest::newRow("another key") << "CmdOK" << int(Qt::Key_A) << false << 0;
    }

    void escAndEnterPressOkUnlessSystemInfoTakesEnter()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QFETCH(int, launches);
        AboutAlone about;
        QVERIFY(QTest::qWaitForWindowActive(about.window));
        CONTROL(QPushButton, okButton, about.window, "CmdOK");
        QCOMPARE(QApplication::focusWidget(), okButton);
        CONTROL(QWidget, focused, about.window, focus);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key(key));
        QCOMPARE(about.windows.about.window() == nullptr, closes);
        QCOMPARE(about.launches, launches);
    }

    void authorPageClosesOnEscAndEnterOnly()
    {
        Program program;
        for (const Qt::Key key : { Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return }) {
            Form *author = program.open(QStringLiteral("author"));
            QVERIFY(QTest::qWaitForWindowActive(author));
            QTest::keyClick(author, key);
            QCOMPARE(program.windows.author.window() == nullptr, key != Qt::Key_Space);
            QVERIFY(program.windows.about.isVisible());
        }
    }

    // ---- the logo ----

    void logoGlidesInTwipsAndStopsUnderThePointer()
    {
        AboutAlone about;
        CONTROL(QWidget, logo, about.window, "PicIcon");
        QCOMPARE(logo->pos(), QPoint(10, 33)); // 150, 500 twips
        about.fakes.timers.advance(30); // the 1 ms timer ticks every 10 ms
        QCOMPARE(logo->y(), 35); // 530 twips; whole-pixel steps would have reached 36

        moveOver(logo);
        about.fakes.timers.advance(300);
        QCOMPARE(logo->y(), 35);
        moveTo(about.window, QPoint(100, 70)); // the green band beside it
        about.fakes.timers.advance(300);
        QCOMPARE(logo->y(), 55); // 830 twips
    }

    // ---- the window stack ----

    void authorPageGoesBackToTheAboutWindowWhoseLogoMovedOn()
    {
        Program program;
        Form *about = program.open(QStringLiteral("about"));
        CONTROL(QWidget, logo, about, "PicIcon");
        CONTROL(HoverLabel, authorLink, about, "LblVorlix");
        click(authorLink);
        Form *author = program.windows.author.window();
        QVERIFY(author && author->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(author));
        const int logoTop = logo->y();
        program.fakes.timers.advance(150);
        QVERIFY(logo->y() > logoTop);

        CONTROL(HoverLabel, backArrow, author, "LblBack");
        click(backArrow);
        QVERIFY(!program.windows.author.window());
        QCOMPARE(program.windows.about.window(), about);
        QTRY_VERIFY(about->isActiveWindow());
    }

    void closeOnTheAuthorPageClosesBothWindows()
    {
        Program program;
        HoverLabel *close = program.label(QStringLiteral("author"), QStringLiteral("LblClose"));
        QVERIFY(close);
        click(close);
        QVERIFY(!program.windows.author.window());
        QVERIFY(!program.windows.about.window());
        QVERIFY(program.window.isVisible());
    }

    void aWindowShownAgainStartsFromItsDesignValues()
    {
        Program program;
        HoverLabel *link = program.label(QStringLiteral("about"), QStringLiteral("LblWS"));
        HoverLabel *arrow = program.label(QStringLiteral("about"), QStringLiteral("LblClose"));
        QVERIFY(link && arrow);
        const QPointer<QWidget> first = link->window();
        moveOver(link);
        moveOver(arrow);
        program.fakes.timers.advance(500);
        click(arrow);
        QVERIFY(!program.windows.about.window());

        Form *again = program.open(QStringLiteral("about"));
        QVERIFY(again && again != first);
        CONTROL(HoverLabel, linkAgain, again, "LblWS");
        CONTROL(HoverLabel, arrowAgain, again, "LblClose");
        CONTROL(QWidget, logo, again, "PicIcon");
        QVERIFY(!underlined(linkAgain));
        QCOMPARE(arrowAgain->font().pointSizeF(), 9.75);
        QCOMPARE(textColour(arrowAgain), QColor(Qt::white));
        QCOMPARE(logo->y(), 33);
    }

    // The windows' timers come from the services, which must outlive every window, including
    // one that was unloaded and whose deletion is still pending.
    void secondaryWindowsGoWithTheirSlots()
    {
        auto about = std::make_unique<AboutAlone>();
        const QPointer<Form> unloaded = about->window;
        about->windows.about.unload();
        const QPointer<Form> shownAgain = about->windows.about.show();
        QVERIFY(unloaded && shownAgain && unloaded != shownAgain);
        about.reset();
        QVERIFY(!unloaded);
        QVERIFY(!shownAgain);
    }

    // The style files what a window's controls draw under that window's palettes, so nothing can
    // find it again once the window has gone.
    void closingAWindowDropsThePicturesInTheCache()
    {
        AboutAlone about;
        QPixmapCache::insert(QStringLiteral("marker"), QPixmap(8, 8));
        about.window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QPixmap marker;
        QVERIFY(!QPixmapCache::find(QStringLiteral("marker"), &marker));
    }
};

QTEST_MAIN(AboutWindowsTest)
#include "about_windows_test.moc"
