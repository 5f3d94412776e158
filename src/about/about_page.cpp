#include "about_page.h"

#include "controls/design_style.h"
#include "controls/picture_box.h"
#include "controls/twips.h"
#include "platform/task_bar.h"
#include "platform/url_opener.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace {

constexpr double widthTwips = 9000;
constexpr double heightTwips = 6000;

} // namespace

AboutPage::AboutPage(const QString &designName, const QString &backgroundPicture, UrlOpener &urls,
    HighContrast &highContrast)
    : Form(designName, nullptr, Kind::Dialog)
    , m_urls(urls)
    , m_backgroundPicture(backgroundPicture)
{
    setWindowTitle(QStringLiteral("About"));
    // A tool window still takes the focus when shown; not every task bar skips it by its type.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    keepOutOfTaskBar(this);
    setFixedSize(Twips::toPixels(widthTwips), Twips::toPixels(heightTwips));
    setFont(DesignStyle::arial(9.75));
    DesignStyle::setColours(this, { { QPalette::WindowText, DesignStyle::systemText } });
    DesignStyle::followHighContrast(this, highContrast);
}

Label *AboutPage::addLabel(const QString &designName, const QString &caption, double left,
    double top, double width, double height)
{
    auto *label = new Label(designName, caption, this);
    Twips::place(label, left, top, width, height);
    label->setAutoSize(true);
    return label;
}

Label *AboutPage::addTextBlock(const QString &designName, const QString &caption, double left,
    double top, double width, double height)
{
    auto *label = new Label(designName, caption, this);
    label->setWordWrap(true);
    Twips::place(label, left, top, width, height);
    return label;
}

HoverLabel *AboutPage::addLink(const QString &designName, const QString &caption, double left,
    double top, double width, double height)
{
    auto *link = new HoverLabel(HoverLabel::Kind::Link, designName, caption, this);
    Twips::place(link, left, top, width, height);
    link->setAutoSize(true);
    m_hoverLabels.push_back(link);
    return link;
}

HoverLabel *AboutPage::addArrow(const QString &designName, const QString &caption,
    const QString &toolTip, double left, double top, double width, double height)
{
    auto *arrow = new HoverLabel(HoverLabel::Kind::Arrow, designName, caption, this);
    Twips::place(arrow, left, top, width, height);
    arrow->setAutoSize(true);
    arrow->setToolTip(toolTip);
    arrow->setAccessibleName(toolTip);
    arrow->setTextColour(Qt::white);
    m_hoverLabels.push_back(arrow);
    return arrow;
}

void AboutPage::openWebSite(const QString &url)
{
    m_urls.open(url, this);
}

void AboutPage::colourLinks()
{
    for (HoverLabel *label : m_hoverLabels) {
        if (label->kind() == HoverLabel::Kind::Link)
            label->setTextColour(QColor(0, 0, 255));
    }
}

void AboutPage::resetHover()
{
    for (HoverLabel *label : m_hoverLabels)
        label->resetHover();
}

bool AboutPage::isEscOrEnter(const QKeyEvent *event)
{
    const int key = event->key();
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The background picture is the design's background colour: the system's text colours, light
// ones among them, are drawn on the system's background instead.
void AboutPage::paintEvent(QPaintEvent *event)
{
    const QRectF area = event->rect();
    QPainter painter(this);
    if (DesignStyle::usesSystemColours(this)) {
        painter.fillRect(area, palette().window());
        return;
    }
    const qreal ratio = m_background.devicePixelRatio();
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // as in PictureBox
    painter.drawPixmap(area, m_background, QRectF(area.topLeft() * ratio, area.size() * ratio));
}

void AboutPage::showEvent(QShowEvent *event)
{
    if (m_background.isNull()) {
        renderPictures();
        // On a screen of another scale the pictures would be scaled from this drawing, blurred.
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            if (devicePixelRatioF() != m_renderedRatio)
                renderPictures();
        });
    }
    Form::showEvent(event);
}

void AboutPage::renderPictures()
{
    m_renderedRatio = devicePixelRatioF();
    m_background = loadPictureUncached(m_backgroundPicture, m_renderedRatio);
    loadPictures();
    update();
}
