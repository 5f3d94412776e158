#pragma once

#include "controls/form.h"
#include "hover_label.h"

#include <QPixmap>
#include <vector>

class HighContrast;
class Label;
class QKeyEvent;
class UrlOpener;

// What the About window and the author page behind it have in common: a borderless 600 x 400
// window without owner or taskbar button, painted with a background picture drawn for the scale
// of its screen, with link and arrow labels that follow one hover convention. Both are centred
// the same way on the same screen, so the author page covers the About window exactly.
class AboutPage : public Form
{
    Q_OBJECT

protected:
    AboutPage(const QString &designName, const QString &backgroundPicture, UrlOpener &urls,
        HighContrast &highContrast);

    Label *addLabel(const QString &designName, const QString &caption, double left, double top,
        double width, double height);
    // A label of fixed size whose text wraps.
    Label *addTextBlock(const QString &designName, const QString &caption, double left, double top,
        double width, double height);
    HoverLabel *addLink(const QString &designName, const QString &caption, double left, double top,
        double width, double height);
    HoverLabel *addArrow(const QString &designName, const QString &caption, const QString &toolTip,
        double left, double top, double width, double height);

    void openWebSite(const QString &url);
    // Each page colours its links when it loads and resets every link and arrow it made on a
    // move over its bare surface.
    void colourLinks();
    void resetHover();
    // Esc and Enter close either page, each in its own way.
    static bool isEscOrEnter(const QKeyEvent *event);

    // The pictures are loaded when the window is first shown, not when it is made, and go with it
    // when it is unloaded.
    virtual void loadPictures() { }

    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void renderPictures();

    UrlOpener &m_urls;
    std::vector<HoverLabel *> m_hoverLabels;
    QString m_backgroundPicture;
    QPixmap m_background;
    qreal m_renderedRatio = 0;
};

namespace AboutTexts {

inline const QString makerWebSite = QStringLiteral("http://www.example.com");
inline const QString authorName = QStringLiteral("Marek Vorlix");

// A link captioned with host and path opens that address behind a scheme and the "www" prefix.
inline QString wwwAddress(const QString &scheme, const QString &caption)
{
    return scheme + QStringLiteral("://www.") + caption;
}

} // namespace AboutTexts
