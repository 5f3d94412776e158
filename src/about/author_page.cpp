#include "author_page.h"

#include "controls/design_style.h"
#include "controls/label.h"
#include "controls/twips.h"

#include <QKeyEvent>

namespace {

const QColor headingColours[] = { QColor(255, 0, 255), Qt::white, QColor(30, 150, 30) };

} // namespace

AuthorPage::AuthorPage(
    UrlOpener &urls, HighContrast &highContrast, std::function<void()> unloadAbout)
    : AboutPage(QStringLiteral("FrmVorlix"), QStringLiteral(":/about/author-background.png"), urls,
        highContrast)
    , m_unloadAbout(std::move(unloadAbout))
{
    createControls();
    setSurfaceMoveHandler([this] { onSurfaceMouseMove(); });
    load();
}

void AuthorPage::createControls()
{
    createHeading(QStringLiteral("Label1"), AboutTexts::authorName,
        { QPointF(750, 600), QPointF(785, 635), QPointF(870, 730) }, QSizeF(5460, 675), 29.25);
    createHeading(QStringLiteral("Label2"), QStringLiteral("Developer"),
        { QPointF(6400, 850), QPointF(6430, 880), QPointF(6490, 940) }, QSizeF(1815, 360), 15.75);

    Label *note = addTextBlock(QStringLiteral("Label11"),
        QStringLiteral("A developer at Quillmark Software who likes small tools that do one job "
                       "well."),
        1530, 1455, 6030, 600);
    note->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    note->setTextColour(DesignStyle::systemHighlightText);

    addLabel(QStringLiteral("Label3"), QStringLiteral("Mobile # :"), 800, 2200, 930, 240);
    addLabel(QStringLiteral("Label4"), QStringLiteral("+44 7700 900461"), 2000, 2200, 1380, 240);
    addLabel(QStringLiteral("Label5"), QStringLiteral("E-mail :"), 800, 2820, 720, 240);
    addLabel(
        QStringLiteral("Label6"), QStringLiteral("marek.vorlix.business@"), 2000, 2820, 2295, 240);
    m_businessMailLink
        = addLink(QStringLiteral("LblGM"), QStringLiteral("example.org"), 4320, 2820, 1005, 240);
    addLabel(
        QStringLiteral("Label7"), QStringLiteral("marek.vorlix.personal@"), 2000, 3110, 2295, 240);
    m_personalMailLink
        = addLink(QStringLiteral("LblHM"), QStringLiteral("example.net"), 4320, 3110, 1185, 240);
    addLabel(QStringLiteral("Label8"), QStringLiteral("Facebook :"), 800, 3740, 1050, 240);
    m_facebookLink = addLink(
        QStringLiteral("LblFB"), QStringLiteral("example.org/marek.vorlix"), 2000, 3740, 2400, 240);
    addLabel(QStringLiteral("Label9"), QStringLiteral("Twitter :"), 800, 4370, 780, 240);
    m_twitterLink = addLink(
        QStringLiteral("LblTW"), QStringLiteral("example.net/MarekVorlix"), 2000, 4370, 2355, 240);
    addLabel(QStringLiteral("Label10"), QStringLiteral("Website :"), 800, 5000, 885, 240);
    m_webSiteLink
        = addLink(QStringLiteral("LblWS"), AboutTexts::makerWebSite, 2000, 5000, 3300, 240);

    // In the window's own font, like the About window's arrow.
    m_backArrow = addArrow(QStringLiteral("LblBack"), QStringLiteral("<-"), QStringLiteral("Back"),
        100, 100, 240, 240);
    m_closeArrow = addArrow(QStringLiteral("LblClose"), QStringLiteral("X"),
        QStringLiteral("Close"), 8750, 100, 135, 240);

    m_businessMailLink->setClickHandler([this] { onBusinessMailClicked(); });
    m_personalMailLink->setClickHandler([this] { onPersonalMailClicked(); });
    m_facebookLink->setClickHandler([this] { onFacebookClicked(); });
    m_twitterLink->setClickHandler([this] { onTwitterClicked(); });
    m_webSiteLink->setClickHandler([this] { onWebSiteClicked(); });
    m_backArrow->setClickHandler([this] { onBackClicked(); });
    m_closeArrow->setClickHandler([this] { onCloseClicked(); });
}

// Three copies of the heading, each further right and down, make it look raised. The first copy
// is made last, so it lies on top.
void AuthorPage::createHeading(const QString &designName, const QString &caption,
    const std::array<QPointF, 3> &positions, QSizeF size, double pointSize)
{
    QFont headingFont = font();
    headingFont.setPointSizeF(pointSize);
    for (int index = 2; index >= 0; --index) {
        Label *copy = addLabel(designName + QLatin1Char('_') + QString::number(index), caption,
            positions[index].x(), positions[index].y(), size.width(), size.height());
        copy->setFont(headingFont);
        copy->setTextColour(headingColours[index]);
    }
}

void AuthorPage::load()
{
    colourLinks();
}

void AuthorPage::onSurfaceMouseMove()
{
    resetHover();
}

void AuthorPage::keyPressEvent(QKeyEvent *event)
{
    if (isEscOrEnter(event))
        unload();
    else
        AboutPage::keyPressEvent(event);
}

void AuthorPage::onBackClicked()
{
    unload();
}

void AuthorPage::onCloseClicked()
{
    m_unloadAbout();
    unload();
}

void AuthorPage::onBusinessMailClicked()
{
    openWebSite(AboutTexts::wwwAddress(QStringLiteral("http"), m_businessMailLink->text()));
}

void AuthorPage::onPersonalMailClicked()
{
    openWebSite(AboutTexts::wwwAddress(QStringLiteral("http"), m_personalMailLink->text()));
}

void AuthorPage::onFacebookClicked()
{
    openWebSite(AboutTexts::wwwAddress(QStringLiteral("http"), m_facebookLink->text()));
}

void AuthorPage::onTwitterClicked()
{
    openWebSite(AboutTexts::wwwAddress(QStringLiteral("https"), m_twitterLink->text()));
}

void AuthorPage::onWebSiteClicked()
{
    openWebSite(m_webSiteLink->text());
}
