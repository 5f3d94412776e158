#pragma once

#include "about_page.h"

#include <array>
#include <functional>

// The author page, the About window's second page: it lies exactly over the About window, which
// stays open beneath it. Nothing on it takes the focus, so every key goes to the window itself.
class FrmVorlix : public AboutPage
{
    Q_OBJECT

public:
    // `unloadAbout` unloads the About window beneath, for the "X" that closes both.
    FrmVorlix(UrlOpener &urls, std::function<void()> unloadAbout);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void createHeading(const QString &designName, const QString &caption,
        const std::array<QPointF, 3> &positions, QSizeF size, double pointSize);
    void Form_Load();
    void Form_MouseMove();

    void LblBack_Click();
    void LblClose_Click();
    void LblGM_Click();
    void LblHM_Click();
    void LblFB_Click();
    void LblTW_Click();
    void LblWS_Click();

    std::function<void()> m_unloadAbout;

    HoverLabel *LblGM = nullptr;
    HoverLabel *LblHM = nullptr;
    HoverLabel *LblFB = nullptr;
    HoverLabel *LblTW = nullptr;
    HoverLabel *LblWS = nullptr;
    HoverLabel *LblBack = nullptr;
    HoverLabel *LblClose = nullptr;
};
