#pragma once

#include "about_page.h"

#include <array>
#include <functional>

// The author page, the About window's second page: it lies exactly over the About window, which
// stays open beneath it. Nothing on it takes the focus, so every key goes to the window itself.
//
// Design names (the objectNames) and the members that hold them:
//   FrmVorlix    this window
//   LblGM        m_businessMailLink
//   LblHM        m_personalMailLink
//   LblFB        m_facebookLink
//   LblTW        m_twitterLink
//   LblWS        m_webSiteLink
//   LblBack      m_backArrow
//   LblClose     m_closeArrow
// The fixed labels (Label1_0 .. Label11) have no member: createControls() names each where it
// makes it.
class AuthorPage : public AboutPage
{
    Q_OBJECT

public:
    // `unloadAbout` unloads the About window beneath, for the "X" that closes both.
    AuthorPage(UrlOpener &urls, HighContrast &highContrast, std::function<void()> unloadAbout);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void createHeading(const QString &designName, const QString &caption,
        const std::array<QPointF, 3> &positions, QSizeF size, double pointSize);
    void load();
    void onSurfaceMouseMove();

    void onBackClicked();
    void onCloseClicked();
    void onBusinessMailClicked();
    void onPersonalMailClicked();
    void onFacebookClicked();
    void onTwitterClicked();
    void onWebSiteClicked();

    std::function<void()> m_unloadAbout;

    HoverLabel *m_businessMailLink = nullptr;
    HoverLabel *m_personalMailLink = nullptr;
    HoverLabel *m_facebookLink = nullptr;
    HoverLabel *m_twitterLink = nullptr;
    HoverLabel *m_webSiteLink = nullptr;
    HoverLabel *m_backArrow = nullptr;
    HoverLabel *m_closeArrow = nullptr;
};
