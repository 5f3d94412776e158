#include "frm_wlcm.h"

#include "platform/services.h"
#include "platform/window_timer.h"

#include <QLabel>
#include <QVBoxLayout>

FrmWlcm::FrmWlcm(Services &services, std::function<void()> showMainWindow)
    : Form(QStringLiteral("FrmWlcm"))
    , m_showMainWindow(std::move(showMainWindow))
{
    setWindowTitle(QStringLiteral("Welcome"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowState(Qt::WindowMaximized);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(255, 192, 255));
    setPalette(palette);

    auto *banner
        = new QLabel(QStringLiteral("Thank You For Downloading Glyphorbitaloscopex"), this);
    banner->setObjectName(QStringLiteral("Banner"));
    banner->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(36);
    font.setBold(true);
    banner->setFont(font);
    (new QVBoxLayout(this))->addWidget(banner);

    Timer3 = addTimer(services.timers.create(this, 2000, [this] { Timer3_Timer(); }));
    Timer3->setEnabled(true);
}

void FrmWlcm::Timer3_Timer()
{
    m_showMainWindow();
    unload();
}
