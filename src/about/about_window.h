#pragma once

#include "about_page.h"
#include "logic/icon_motion.h"

#include <functional>

class PictureBox;
class QPushButton;
class WindowTimer;
struct Services;

// The About window: the product's title and version, links to the maker's pages, the System
// Information launcher, the way to the author page, and the logo gliding along the left edge.
//
// Design names (the objectNames) and the members that hold them:
//   frmAbout      this window
//   PicIcon       m_logo
//   CmdOK         m_okButton
//   CmdSysInfo    m_sysInfoButton
//   LblWS         m_webSiteLink
//   LblFB         m_facebookLink
//   LblTW         m_twitterLink
//   LblVorlix     m_authorLink
//   LblClose      m_closeArrow
//   LblNext       m_nextArrow
//   Timer1        m_logoTimer, no objectName
// The fixed labels and lines (lblTitle, Label1 .. Label4, Line1, ...) have no member:
// createControls() names each where it makes it.
class AboutWindow : public AboutPage
{
    Q_OBJECT

public:
    // `startSysInfo` starts the System Information tool and answers false when it is unavailable.
    // `showAuthorPage` shows the author page over this window.
    AboutWindow(Services &services, UrlOpener &urls, std::function<bool()> startSysInfo,
        std::function<void()> showAuthorPage);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void loadPictures() override;

private:
    void createControls();
    void addEtchedSeparator(const QString &designName, double top);
    void load();
    void onSurfaceMouseMove();

    void onOkClicked();
    void onSysInfoClicked();
    void onCloseClicked();
    void onWebSiteClicked();
    void onFacebookClicked();
    void onTwitterClicked();
    void onNextClicked();
    void onLogoMouseMove();
    void onLogoTimer();

    void startSysInfo();

    Services &m_services;
    std::function<bool()> m_startSysInfo;
    std::function<void()> m_showAuthorPage;
    IconMotion m_motion;

    PictureBox *m_logo = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_sysInfoButton = nullptr;
    HoverLabel *m_webSiteLink = nullptr;
    HoverLabel *m_facebookLink = nullptr;
    HoverLabel *m_twitterLink = nullptr;
    HoverLabel *m_authorLink = nullptr;
    HoverLabel *m_closeArrow = nullptr;
    HoverLabel *m_nextArrow = nullptr;
    WindowTimer *m_logoTimer = nullptr;
};
