#include "frm_about.h"

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

frmAbout::frmAbout(Services &services, UrlOpener &urls, std::function<bool()> startSysInfo,
    std::function<Form *()> showAuthorPage)
    : AboutPage(QStringLiteral("frmAbout"), QStringLiteral(":/about/about-background.png"), urls)
    , m_services(services)
    , m_startSysInfo(std::move(startSysInfo))
    , m_showAuthorPage(std::move(showAuthorPage))
{
    createControls();
    Timer1 = addTimer(services.timers.create(this, 1, [this] { Timer1_Timer(); }));
    setSurfaceMoveHandler([this] { Form_MouseMove(); });
    Form_Load();
}

void frmAbout::createControls()
{
    PicIcon = new PictureBox(QStringLiteral("PicIcon"), this);
    PicIcon->setAccessibleName(QStringLiteral("Glyphorbitaloscopex logo"));
    Twips::place(PicIcon, iconLeftTwips, m_motion.topTwips(), iconSizeTwips, iconSizeTwips);
    PicIcon->setMouseMoveHandler([this] { PicIcon_MouseMove(); });

    CmdOK = new QPushButton(QStringLiteral("&OK"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setAccessibleName(QStringLiteral("OK"));
    CmdOK->setDefault(true);
    Twips::place(CmdOK, 6900, 4600, 1500, 345);
    connect(CmdOK, &QPushButton::clicked, this, &frmAbout::CmdOK_Click);

    CmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    CmdSysInfo->setObjectName(QStringLiteral("CmdSysInfo"));
    CmdSysInfo->setAccessibleName(QStringLiteral("System Info"));
    // Enter presses this button while it has the focus, and the default button otherwise.
    CmdSysInfo->setAutoDefault(true);
    Twips::place(CmdSysInfo, 6900, 5100, 1500, 345);
    connect(CmdSysInfo, &QPushButton::clicked, this, &frmAbout::CmdSysInfo_Click);
    setTabOrder(CmdOK, CmdSysInfo);
    CmdOK->setFocus();

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
    LblWS = addLink(QStringLiteral("LblWS"), AboutTexts::makerWebSite, 3600, 3000, 3300, 240);
    addLabel(QStringLiteral("Label3"), QStringLiteral("Facebook :"), 2000, 3300, 1050, 240);
    LblFB = addLink(QStringLiteral("LblFB"), QStringLiteral("example.org/QuillmarkSoftware"), 3600,
        3300, 2745, 240);
    addLabel(QStringLiteral("Label4"), QStringLiteral("Twitter :"), 2000, 3600, 780, 240);
    LblTW = addLink(QStringLiteral("LblTW"), QStringLiteral("example.net/QuillmarkSoft"), 3600,
        3600, 2475, 240);
    addLabel(QStringLiteral("Label1"), QStringLiteral("Developed By :"), 2000, 4000, 1440, 240);
    LblVorlix = addLink(QStringLiteral("LblVorlix"), AboutTexts::authorName, 3600, 4000, 1860, 240);

    addEtchedSeparator(QStringLiteral("Line2"), 4420);

    addTextBlock(QStringLiteral("lblDisclaimer"), QString(), 1995, 4605, 4230, 795)
        ->setTextColour(Qt::black);

    LblClose = addArrow(QStringLiteral("LblClose"), QStringLiteral("X"), QStringLiteral("Close"),
        100, 100, 135, 240);
    // In the window's own font: a symbol font maps letters to Greek on most systems, and the dash
    // and the greater-than sign read as an arrow in any font.
    LblNext = addArrow(QStringLiteral("LblNext"), QStringLiteral("->"), QStringLiteral("Next"),
        8655, 105, 240, 240);

    LblClose->setClickHandler([this] { LblClose_Click(); });
    LblWS->setClickHandler([this] { LblWS_Click(); });
    LblFB->setClickHandler([this] { LblFB_Click(); });
    LblTW->setClickHandler([this] { LblTW_Click(); });
    LblVorlix->setClickHandler([this] { LblNext_Click(); });
    LblNext->setClickHandler([this] { LblNext_Click(); });
}

// A grey line just above a white one looks like a groove. Rounded to pixels each on its own, the
// two lines 10 twips apart can fall on the same row and the groove is lost, so the white line
// always starts on the row below the grey one.
void frmAbout::addEtchedSeparator(const QString &designName, double top)
{
    auto *shadow = new Line(designName + QStringLiteral("_1"), { 2380, top }, { 8000, top },
        QColor(128, 128, 128), 1, this);
    auto *light = new Line(designName + QStringLiteral("_0"), { 2395, top + 10 },
        { 8000, top + 10 }, Qt::white, 2, this);
    light->move(light->x(), shadow->y() + 1);
}

void frmAbout::loadPictures()
{
    PicIcon->setPicture(
        loadPictureUncached(QStringLiteral(":/about/logo.png"), devicePixelRatioF()));
}

void frmAbout::Form_Load()
{
    colourLinks();
    Timer1->setEnabled(true);
}

void frmAbout::Form_MouseMove()
{
    resetHover();
    Timer1->setEnabled(true);
}

// The OK button is both the default and the cancel button: Esc presses it whatever has the focus,
// Enter unless the System Info button has the focus and takes the key itself.
void frmAbout::keyPressEvent(QKeyEvent *event)
{
    if (isEscOrEnter(event))
        CmdOK->click();
    else
        AboutPage::keyPressEvent(event);
}

void frmAbout::CmdOK_Click()
{
    unload();
}

void frmAbout::CmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::LblClose_Click()
{
    unload();
}

void frmAbout::LblWS_Click()
{
    OpenWebSite(LblWS->text());
}

void frmAbout::LblFB_Click()
{
    OpenWebSite(AboutTexts::wwwAddress(QStringLiteral("http"), LblFB->text()));
}

void frmAbout::LblTW_Click()
{
    OpenWebSite(AboutTexts::wwwAddress(QStringLiteral("https"), LblTW->text()));
}

// Both the arrow and the author's name lead to the author page; this window stays open beneath.
void frmAbout::LblNext_Click()
{
    if (Form *page = m_showAuthorPage())
        connect(page, &Form::unloaded, this, &frmAbout::authorPageUnloaded, Qt::UniqueConnection);
}

// Back on this window when the page over it goes, as the window beneath a closed one would be,
// unless the page took this window with it.
void frmAbout::authorPageUnloaded()
{
    if (!isUnloaded())
        activateWindow();
}

void frmAbout::PicIcon_MouseMove()
{
    Timer1->setEnabled(false);
}

// Moving the picture box repaints only the logo's old and new rectangles, and nothing at all on
// the ticks that leave it on the same pixel row.
void frmAbout::Timer1_Timer()
{
    m_motion.advance();
    PicIcon->move(Twips::toPixels(iconLeftTwips), Twips::toPixels(m_motion.topTwips()));
}

void frmAbout::StartSysInfo()
{
    if (!m_startSysInfo())
        m_services.messages.show(
            this, QString::fromLatin1(sysInfoUnavailableText), QString(), MessageBox::Icon::None);
}
