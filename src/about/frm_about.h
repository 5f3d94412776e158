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
class frmAbout : public AboutPage
{
    Q_OBJECT

public:
    // `startSysInfo` starts the System Information tool and answers false when it is unavailable.
    // `showAuthorPage` shows the author page over this window and returns it.
    frmAbout(Services &services, UrlOpener &urls, std::function<bool()> startSysInfo,
        std::function<Form *()> showAuthorPage);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void loadPictures() override;

private:
    void createControls();
    void addEtchedSeparator(const QString &designName, double top);
    void Form_Load();
    void Form_MouseMove();

    void CmdOK_Click();
    void CmdSysInfo_Click();
    void LblClose_Click();
    void LblWS_Click();
    void LblFB_Click();
    void LblTW_Click();
    void LblNext_Click();
    void PicIcon_MouseMove();
    void Timer1_Timer();

    void StartSysInfo();
    void authorPageUnloaded();

    Services &m_services;
    std::function<bool()> m_startSysInfo;
    std::function<Form *()> m_showAuthorPage;
    IconMotion m_motion;

    PictureBox *PicIcon = nullptr;
    QPushButton *CmdOK = nullptr;
    QPushButton *CmdSysInfo = nullptr;
    HoverLabel *LblWS = nullptr;
    HoverLabel *LblFB = nullptr;
    HoverLabel *LblTW = nullptr;
    HoverLabel *LblVorlix = nullptr;
    HoverLabel *LblClose = nullptr;
    HoverLabel *LblNext = nullptr;
    WindowTimer *Timer1 = nullptr;
};
