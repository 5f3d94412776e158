#include "about_window.h"

#include "controls/label.h"
#include "controls/line.h"
#include "controls/picture_box.h"
#include "controls/twips.h"
#include "platform/message_box.h"
#include "platform/services.h"
#include "platform/sysinfo/sys_info.h"
#include "platform/window_timer.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

constexpr double iconLeftTwips = 150;
constexpr double iconSizeTwips = 1050;

} // namespace

AboutWindow::AboutWindow(Services &services, UrlOpener &urls, std::function<bool()> startSysInfo,
    std::function<void()> showAuthorPage)
    : AboutPage(QStringLiteral("frmAbout"), QStringLiteral(":/about/about-background.png"), urls,
        services.highContrast)
    , m_services(services)
    , m_startSysInfo(std::move(startSysInfo))
    , m_showAuthorPage(std::move(showAuthorPage))
{
    createControls();
    m_logoTimer = addTimer(services.timers.create(this, 1, [this] { onLogoTimer(); }));
    setSurfaceMoveHandler([this] { onSurfaceMouseMove(); });
    load();
}

void AboutWindow::createControls()
{
    m_logo = new PictureBox(QStringLiteral("PicIcon"), this);
    m_logo->setAccessibleName(QStringLiteral("Glyphorbitaloscopex logo"));
    Twips::place(m_logo, iconLeftTwips, m_motion.topTwips(), iconSizeTwips, iconSizeTwips);
    m_logo->setMouseMoveHandler([this] { onLogoMouseMove(); });

    m_okButton = new QPushButton(QStringLiteral("&OK"), this);
    m_okButton->setObjectName(QStringLiteral("CmdOK"));
    m_okButton->setAccessibleName(QStringLiteral("OK"));
    m_okButton->setDefault(true);
    Twips::place(m_okButton, 6900, 4600, 1500, 345);
    connect(m_okButton, &QPushButton::clicked, this, &AboutWindow::onOkClicked);

    m_sysInfoButton = new QPushButton(QStringLiteral("&System Info..."), this);
    m_sysInfoButton->setObjectName(QStringLiteral("CmdSysInfo"));
    m_sysInfoButton->setAccessibleName(QStringLiteral("System Info"));
    // Enter presses this button while it has the focus, and the default button otherwise.
    m_sysInfoButton->setAutoDefault(true);
    Twips::place(m_sysInfoButton, 6900, 5100, 1500, 345);
    connect(m_sysInfoButton, &QPushButton::clicked, this, &AboutWindow::onSysInfoClicked);
    setTabOrder(m_okButton, m_sysInfoButton);
    m_okButton->setFocus();

    Label *lblTitle = addLabel(
        QStringLiteral("lblTitle"), QStringLiteral("Glyphorbitaloscopex"), 1995, 255, 4695, 480);
    QFont titleFont = font();
    titleFont.setPointSizeF(20.25);
    lblTitle->setFont(titleFont);
    lblTitle->setTextColour(Qt::white);

    addLabel(QStringLiteral("lblVersion"), QStringLiteral("Version 1.0.0  (23 March 2015)"), 1995,
        1395, 2790, 240);

    addTextBlock(QStringLiteral("lblDescription"),
        QStringLiteral("Glyphorbitaloscopex finds ASCII Value of a character and also find "
                       "character for a ASCII Value. "),
        1995, 1905, 6345, 720);

    addEtchedSeparator(QStringLiteral("Line1"), 2790);

    addLabel(QStringLiteral("Label2"), QStringLiteral("Website :"), 2000, 3000, 885, 240);
    m_webSiteLink
        = addLink(QStringLiteral("LblWS"), AboutTexts::makerWebSite, 3600, 3000, 3300, 240);
    addLabel(QStringLiteral("Label3"), QStringLiteral("Facebook :"), 2000, 3300, 1050, 240);
    m_facebookLink = addLink(QStringLiteral("LblFB"),
        QStringLiteral("example.org/QuillmarkSoftware"), 3600, 3300, 2745, 240);
    addLabel(QStringLiteral("Label4"), QStringLiteral("Twitter :"), 2000, 3600, 780, 240);
    m_twitterLink = addLink(QStringLiteral("LblTW"), QStringLiteral("example.net/QuillmarkSoft"),
        3600, 3600, 2475, 240);
    addLabel(QStringLiteral("Label1"), QStringLiteral("Developed By :"), 2000, 4000, 1440, 240);
    m_authorLink
        = addLink(QStringLiteral("LblVorlix"), AboutTexts::authorName, 3600, 4000, 1860, 240);

    addEtchedSeparator(QStringLiteral("Line2"), 4420);

    addTextBlock(QStringLiteral("lblDisclaimer"), QString(), 1995, 4605, 4230, 795)
        ->setTextColour(Qt::black);

    m_closeArrow = addArrow(QStringLiteral("LblClose"), QStringLiteral("X"),
        QStringLiteral("Close"), 100, 100, 135, 240);
    // In the window's own font: a symbol font maps letters to Greek on most systems, and the dash
    // and the greater-than sign read as an arrow in any font.
    m_nextArrow = addArrow(QStringLiteral("LblNext"), QStringLiteral("->"), QStringLiteral("Next"),
        8655, 105, 240, 240);

    m_closeArrow->setClickHandler([this] { onCloseClicked(); });
    m_webSiteLink->setClickHandler([this] { onWebSiteClicked(); });
    m_facebookLink->setClickHandler([this] { onFacebookClicked(); });
    m_twitterLink->setClickHandler([this] { onTwitterClicked(); });
    m_authorLink->setClickHandler([this] { onNextClicked(); });
    m_nextArrow->setClickHandler([this] { onNextClicked(); });
}

// A grey line just above a white one looks like a groove. Rounded to pixels each on its own, the
// two lines 10 twips apart can fall on the same row and the groove is lost, so the white line
// always starts on the row below the grey one.
void AboutWindow::addEtchedSeparator(const QString &designName, double top)
{
    auto *shadow = new Line(designName + QStringLiteral("_1"), { 2380, top }, { 8000, top },
        QColor(128, 128, 128), 1, this);
    auto *light = new Line(designName + QStringLiteral("_0"), { 2395, top + 10 },
        { 8000, top + 10 }, Qt::white, 2, this);
    light->move(light->x(), shadow->y() + 1);
}

void AboutWindow::loadPictures()
{
    m_logo->setPicture(
        loadPictureUncached(QStringLiteral(":/about/logo.png"), devicePixelRatioF()));
}

void AboutWindow::load()
{
    colourLinks();
    m_logoTimer->setEnabled(true);
}

void AboutWindow::onSurfaceMouseMove()
{
    resetHover();
    m_logoTimer->setEnabled(true);
}

// The OK button is both the default and the cancel button: Esc presses it whatever has the focus,
// Enter unless the System Info button has the focus and takes the key itself.
void AboutWindow::keyPressEvent(QKeyEvent *event)
{
    if (isEscOrEnter(event))
        m_okButton->click();
    else
        AboutPage::keyPressEvent(event);
}

void AboutWindow::onOkClicked()
{
    unload();
}

void AboutWindow::onSysInfoClicked()
{
    startSysInfo();
}

void AboutWindow::onCloseClicked()
{
    unload();
}

void AboutWindow::onWebSiteClicked()
{
    openWebSite(m_webSiteLink->text());
}

void AboutWindow::onFacebookClicked()
{
    openWebSite(AboutTexts::wwwAddress(QStringLiteral("http"), m_facebookLink->text()));
}

void AboutWindow::onTwitterClicked()
{
    openWebSite(AboutTexts::wwwAddress(QStringLiteral("https"), m_twitterLink->text()));
}

// Both the arrow and the author's name lead to the author page; this window stays open beneath.
void AboutWindow::onNextClicked()
{
    m_showAuthorPage();
}

void AboutWindow::onLogoMouseMove()
{
    m_logoTimer->setEnabled(false);
}

// Moving the picture box repaints only the logo's old and new rectangles, and nothing at all on
// the ticks that leave it on the same pixel row.
void AboutWindow::onLogoTimer()
{
    m_motion.advance();
    m_logo->move(Twips::toPixels(iconLeftTwips), Twips::toPixels(m_motion.topTwips()));
}

void AboutWindow::startSysInfo()
{
    if (!m_startSysInfo())
        m_services.messages.show(
            this, QString::fromLatin1(sysInfoUnavailableText), QString(), MessageBox::Icon::None);
}
