#include "frm_main.h"

#include "platform/label.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/services.h"
#include "platform/system_beep.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "platform/window_timer.h"
#include "secondary_windows.h"
#include "settings/settings_store.h"
#include "statusbar/panel_mask.h"
#include "statusbar/status_bar.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace {

QFont arial(double pointSize, bool bold = true)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setForeground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

FrmMain::FrmMain(
    Services &services, SettingsStore &settings, SecondaryWindows &windows, QWidget *parent)
    : QMainWindow(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
    , m_services(services)
    , m_settings(settings)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Glyphorbitaloscopex v1.0"));
    createControls();
    createActions();
    createMenus();
    createTimers();
    // The window keeps its designed size; showing the status bar makes it taller by the bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

FrmMain::~FrmMain() = default;

void FrmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(Twips::toPixels(10110), Twips::toPixels(5370));
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, QColor(255, 192, 255));
    palette.setColor(QPalette::WindowText, Qt::black);
    client->setPalette(palette);
    client->setFont(arial(9.75));
    setCentralWidget(client);

    const QFont large = arial(20.25);
    Lbl1 = new Label(QStringLiteral("Lbl1"), QStringLiteral("&Enter Character"), client);
    Lbl1->setFont(large);
    Twips::place(Lbl1, 960, 1030, 3135, 495);
    Lbl1->setAutoSize(true);

    Text1 = new TextBox(QStringLiteral("Text1"), client);
    Text2 = new TextBox(QStringLiteral("Text2"), client);
    Text2->setMaxLength(3);
    Text1->setAccessibleName(QStringLiteral("Enter Character"));
    Text2->setAccessibleName(QStringLiteral("Enter ASCII Value"));
    for (TextBox *box : { Text1, Text2 }) {
        box->setFont(large);
        Twips::place(box, 5040, 960, 4095, 615);
    }

    Lbl2 = new Label(QStringLiteral("Lbl2"), QStringLiteral("ASCII Value is"), client);
    Lbl2->setFont(large);
    Twips::place(Lbl2, 960, 2490, 2775, 495);
    Lbl2->setAutoSize(true);

    Text3 = new TextBox(QStringLiteral("Text3"), client);
    Text3->setFont(large);
    Text3->setReadOnly(true);
    Twips::place(Text3, 5040, 2400, 4095, 615);

    CmdExit = new QPushButton(QStringLiteral("E&xit"), client);
    CmdExit->setObjectName(QStringLiteral("CmdExit"));
    CmdExit->setAccessibleName(QStringLiteral("Exit"));
    // Enter on the focused button presses it, as Space does; outside a dialog Qt needs this.
    CmdExit->setAutoDefault(true);
    Twips::place(CmdExit, 7560, 3960, 1575, 375);

    const QColor green(0, 192, 0);
    Lbl3 = new Label(QStringLiteral("Lbl3"), QStringLiteral("Please enter numeric value"), client);
    Twips::place(Lbl3, 5040, 1680, 2625, 240);
    Lbl3->setAutoSize(true);
    setForeground(Lbl3, green);

    Lbl4 = new Label(QStringLiteral("Lbl4"), QString(), client);
    Twips::place(Lbl4, 5040, 3120, 60, 240);
    Lbl4->setAutoSize(true);
    setForeground(Lbl4, green);

    // Scratch buffer for the panel mask on its way between the settings file and the panels.
    Text4 = new TextBox(QStringLiteral("Text4"), client);
    Twips::place(Text4, 960, 3960, 1575, 375);
    Text4->setVisible(false);

    StatusBar1 = new StatusBar(this);
    setStatusBar(StatusBar1);
    StatusBar1->hide();

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, CmdExit);

    Text1->setKeyPressHandler([this](std::int16_t &code) { Text1_KeyPress(code); });
    Text1->setChangeHandler([this] { Text1_Change(); });
    Text1->setGotFocusHandler([this] { Text1->selectWholeText(); });
    Text2->setKeyPressHandler([this](std::int16_t &code) { Text2_KeyPress(code); });
    Text2->setChangeHandler([this] { Text2_Change(); });
    Text2->setGotFocusHandler([this] { Text2->selectWholeText(); });
    Text3->setGotFocusHandler([this] { Text3->selectWholeText(); });
    connect(CmdExit, &QPushButton::clicked, this, &FrmMain::CmdExit_Click);
}

void FrmMain::createActions()
{
    MenuModeC2A = new QAction(QStringLiteral("&Character to ASCII"), this);
    MenuModeC2A->setObjectName(QStringLiteral("MenuModeC2A"));
    MenuModeC2A->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    MenuModeA2C = new QAction(QStringLiteral("A&SCII to Character"), this);
    MenuModeA2C->setObjectName(QStringLiteral("MenuModeA2C"));
    MenuModeA2C->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F2));
    // Not an exclusive group: Qt draws those with radio bullets, and the menu shows check marks.
    // The handlers set both marks, and choosing the current mode puts its mark back.
    for (QAction *mode : { MenuModeC2A, MenuModeA2C })
        mode->setCheckable(true);
    connect(MenuModeC2A, &QAction::triggered, this, &FrmMain::MenuModeC2A_Click);
    connect(MenuModeA2C, &QAction::triggered, this, &FrmMain::MenuModeA2C_Click);

    MenuViewStBar = new QAction(QStringLiteral("S&tatus Bar"), this);
    MenuViewStBar->setObjectName(QStringLiteral("MenuViewStBar"));
    MenuViewStBar->setCheckable(true);
    // The check mark is the stored setting; the bar follows it.
    connect(MenuViewStBar, &QAction::triggered, this, &FrmMain::MenuViewStBar_Click);

    MenuAboutApp = new QAction(QStringLiteral("About &Glyphorbitaloscopex"), this);
    MenuAboutApp->setObjectName(QStringLiteral("MenuAboutApp"));
    MenuAboutApp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(MenuAboutApp, &QAction::triggered, this, &FrmMain::MenuAboutApp_Click);
}

void FrmMain::createMenus()
{
    const auto addMenu = [this](const char *designName, const QString &title) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QLatin1String(designName));
        menu->menuAction()->setObjectName(QLatin1String(designName));
        // An open drop-down is announced by its own name, which Qt does not take from the title.
        menu->setAccessibleName(QString(title).remove(u'&'));
        return menu;
    };
    QMenu *mode = addMenu("MenuMode", QStringLiteral("&Mode"));
    mode->addAction(MenuModeC2A);
    mode->addAction(MenuModeA2C);
    addMenu("MenuView", QStringLiteral("&View"))->addAction(MenuViewStBar);
    addMenu("MenuAbout", QStringLiteral("&About"))->addAction(MenuAboutApp);
}

void FrmMain::createTimers()
{
    Timer1 = m_services.timers.create(this, 300, [this] { Timer1_Timer(); });
    Timer2 = m_services.timers.create(this, 1000, [this] { Timer2_Timer(); });
}

void FrmMain::Form_Load()
{
    bool firstRun = false;
    try {
        firstRun = m_settings.readInteger(SettingsFile::FirstRun) == 1;
        if (firstRun) {
            hide();
            m_windows.welcome.show();
        }
        showMode(m_settings.readInteger(SettingsFile::Mode) == 1);
        Lbl3->hide();
        InitStatusBar();
        if (m_settings.readNumberEqualsOne(SettingsFile::StatusBar)) {
            MenuViewStBar->setChecked(true);
            StatusBar1->show();
        }
        applyPanelMask(m_settings.readText(SettingsFile::PanelMask));
    } catch (const SettingsError &error) {
        if (error.kind() == SettingsError::Kind::NotFound)
            failStartup(QStringLiteral("Application Files not found, Please reinstall product."),
                QStringLiteral("Reinstall"), MessageBox::Icon::Information);
        else
            failStartup(error.description(), QStringLiteral("Error"), MessageBox::Icon::Critical);
        return;
    } catch (const std::exception &error) {
        failStartup(QString::fromLocal8Bit(error.what()), QStringLiteral("Error"),
            MessageBox::Icon::Critical);
        return;
    }
    if (!firstRun)
        show();
}

void FrmMain::failStartup(const QString &text, const QString &title, MessageBox::Icon icon)
{
    // The welcome window goes first: its hand-over would otherwise show this half-loaded window
    // while the message waits for the user.
    m_windows.welcome.unload();
    m_services.messages.show(text, title, icon);
    m_services.process.endNow(1);
}

void FrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (std::exchange(m_centred, true))
        return;
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    inputBox()->setFocus(Qt::ActiveWindowFocusReason);
}

void FrmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

// The secondary windows are modeless and ownerless; sending the user back to the open one is
// what makes them behave as modal windows over this one.
void FrmMain::Form_Activate()
{
    for (WindowSlot *slot : { &m_windows.author, &m_windows.about, &m_windows.statusDialog }) {
        if (slot->isVisible()) {
            m_services.beep.beep();
            slot->show();
            return;
        }
    }
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void FrmMain::Form_Unload()
{
    for (WindowSlot *slot : m_windows.all())
        slot->unload();
    SaveAndExit();
}

void FrmMain::CmdExit_Click()
{
    SaveAndExit();
}

void FrmMain::MenuViewStBar_Click()
{
    StatusBar1->setVisible(MenuViewStBar->isChecked());
}

void FrmMain::MenuAboutApp_Click()
{
    m_windows.about.show();
}

void FrmMain::SaveAndExit()
{
    if (saveSettings())
        m_services.process.endNow(0);
}

bool FrmMain::saveSettings()
{
    try {
        m_settings.write(SettingsFile::FirstRun, QStringLiteral("0"));
        m_settings.write(SettingsFile::Mode, m_modeC2A ? QStringLiteral("1") : QStringLiteral("0"));
        m_settings.write(SettingsFile::StatusBar,
            MenuViewStBar->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        StatusBar1->repaint();
        PanelMask::Visibility visible;
        for (int i = 0; i < PanelMask::panelCount; ++i)
            visible[i] = StatusBar1->panel(PanelMask::firstPanel + i)->isShown();
        Text4->setText(PanelMask::build(visible));
        m_settings.write(SettingsFile::PanelMask, Text4->text());
        return true;
    } catch (const SettingsError &error) {
        m_services.messages.show(
            error.description(), QStringLiteral("Error"), MessageBox::Icon::Critical);
        return false;
    }
}

void FrmMain::InitStatusBar()
{
    using Style = StatusPanel::Style;
    StatusBar1->hide();
    StatusBar1->setFont(arial(10, false));
    StatusBar1->setFixedHeight(Twips::toPixels(300));
    for (Style style :
        { Style::NumLock, Style::CapsLock, Style::ScrollLock, Style::Time, Style::Date })
        StatusBar1->addPanel(style);

    StatusPanel *caption = StatusBar1->panel(1);
    caption->setText(QStringLiteral("Status Bar :"));
    caption->setMinimumWidth(Twips::toPixels(1000));
    const int widths[] = { 700, 700, 700, 1500, 1500 };
    for (int index = 2; index <= 6; ++index) {
        StatusPanel *panel = StatusBar1->panel(index);
        panel->setAlignment(Qt::AlignCenter);
        panel->setFixedWidth(Twips::toPixels(widths[index - 2]));
    }
    const char *tooltips[] = { "Click to Customize Status Bar", "Num Lock Status",
        "Caps Lock Status", "Scroll Lock Status", "Time", "Date" };
    for (int index = 1; index <= 6; ++index)
        StatusBar1->panel(index)->setToolTip(QString::fromLatin1(tooltips[index - 1]));
}

void FrmMain::applyPanelMask(const QString &mask)
{
    if (!PanelMask::isUsable(mask))
        return;
    Text4->setText(mask);
    const PanelMask::Visibility visible = PanelMask::visibility(Text4->text());
    for (int i = 0; i < PanelMask::panelCount; ++i) {
        if (!visible[i])
            StatusBar1->panel(PanelMask::firstPanel + i)->hide();
    }
}
