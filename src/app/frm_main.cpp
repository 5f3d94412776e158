#include "frm_main.h"

#include "controls/design_style.h"
#include "controls/label.h"
#include "controls/text_box.h"
#include "controls/twips.h"
#include "platform/clock.h"
#include "platform/first_frame.h"
#include "platform/lock_key_state.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/services.h"
#include "platform/system_beep.h"
#include "platform/window_placement.h"
#include "platform/window_timer.h"
#include "secondary_windows.h"
#include "settings/settings_store.h"
#include "statusbar/clock_formats.h"
#include "statusbar/panel_mask.h"
#include "statusbar/status_bar.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

FrmMain::FrmMain(Services &services, SettingsStore &settings, SecondaryWindows &windows,
    LockKeyState &lockKeys, const Clock &clock, QWidget *parent)
    : QMainWindow(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
    , m_services(services)
    , m_settings(settings)
    , m_windows(windows)
    , m_lockKeys(lockKeys)
    , m_clock(clock)
{
    m_panelsShown.fill(true);
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Glyphorbitaloscopex v1.0"));
}

FrmMain::~FrmMain() = default;

void FrmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    // The height follows the window's, which grows and shrinks with the status bar.
    client->setFixedWidth(Twips::toPixels(10110));
    client->setMinimumHeight(0);
    client->setAutoFillBackground(true);
    DesignStyle::setColours(client,
        { { QPalette::Window, QColor(255, 192, 255) }, { QPalette::WindowText, Qt::black } });
    client->setFont(DesignStyle::arial(9.75));
    setCentralWidget(client);

    const QFont large = DesignStyle::arial(20.25);
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
    Lbl3->setTextColour(green);

    Lbl4 = new Label(QStringLiteral("Lbl4"), QString(), client);
    Twips::place(Lbl4, 5040, 3120, 60, 240);
    Lbl4->setAutoSize(true);
    Lbl4->setTextColour(green);

    // Scratch buffer for the panel mask on its way between the settings file and the panels.
    Text4 = new TextBox(QStringLiteral("Text4"), client);
    Twips::place(Text4, 960, 3960, 1575, 375);
    Text4->setVisible(false);

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
    Timer3 = m_services.timers.create(this, 20, [this] { Timer3_Timer(); });
    Timer4 = m_services.timers.create(this, 20, [this] { Timer4_Timer(); });
    m_sendingBack
        = m_services.timers.create(this, 250, [this] { m_sendingBack->setEnabled(false); });
}

PanelVisibility &FrmMain::statusBarPanels()
{
    return *statusBar1();
}

void FrmMain::Form_Load()
{
    bool firstRun = false;
    if (!readSettings([&] { firstRun = m_settings.readInteger(SettingsFile::FirstRun) == 1; }))
        return;
    if (!firstRun) {
        if (finishLoading())
            show();
        return;
    }
    hide();
    // The rest waits for the welcome window's first frame, which building this window would
    // otherwise delay by about as long again; the hand-over finishes it at the latest.
    const Form *welcome = m_windows.welcome.show();
    if (welcome && welcome->windowHandle())
        afterFirstFrame(welcome->windowHandle(), this, [this] { finishLoading(); });
    else
        finishLoading();
}

void FrmMain::showAfterWelcome()
{
    if (!finishLoading())
        return;
    show();
    raise();
    activateWindow();
}

bool FrmMain::finishLoading()
{
    if (!m_loaded) {
        createControls();
        createActions();
        createMenus();
        createTimers();
        applyHeight();
        m_loaded = readSettings([this] {
            showMode(m_settings.readInteger(SettingsFile::Mode) == 1);
            Lbl3->hide();
            if (m_settings.readNumberEqualsOne(SettingsFile::StatusBar)) {
                MenuViewStBar->setChecked(true);
                m_barAnimation.startShown();
                showBarAnimation();
            }
            applyPanelMask(m_settings.readText(SettingsFile::PanelMask));
        });
    }
    return *m_loaded;
}

bool FrmMain::readSettings(const std::function<void()> &read)
{
    try {
        read();
        return true;
    } catch (const SettingsError &error) {
        if (error.kind() == SettingsError::Kind::NotFound)
            failStartup(QStringLiteral("Application Files not found, Please reinstall product."),
                QStringLiteral("Reinstall"), MessageBox::Icon::Information);
        else
            failStartup(error.description(), QStringLiteral("Error"), MessageBox::Icon::Critical);
    } catch (const std::exception &error) {
        failStartup(QString::fromLocal8Bit(error.what()), QStringLiteral("Error"),
            MessageBox::Icon::Critical);
    }
    return false;
}

void FrmMain::failStartup(const QString &text, const QString &title, MessageBox::Icon icon)
{
    // The welcome window goes first: its hand-over would otherwise show this half-loaded window
    // while the message waits for the user.
    m_windows.welcome.unload();
    m_services.messages.show(nullptr, text, title, icon);
    m_services.process.endNow(1);
}

void FrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Polishing may have changed the menu bar's height since the last time.
    applyHeight();
    if (std::exchange(m_centred, true))
        return;
    // Centred by the frame the window manager will draw, so the window opens where it stays;
    // should the real frame differ, the first exposure puts it right.
    m_expectedFrame = WindowPlacement::frameBeforeMapping(this);
    centreOnScreen(m_expectedFrame);
    if (QWindow *native = windowHandle())
        native->installEventFilter(this);
    inputBox()->setFocus(Qt::ActiveWindowFocusReason);
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        watched->removeEventFilter(this);
        if (const QMargins frame = WindowPlacement::frameNow(this); frame != m_expectedFrame)
            centreOnScreen(frame);
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::centreOnScreen(const QMargins &frame)
{
    if (const QScreen *screen = this->screen())
        WindowPlacement::centre(this, screen->availableGeometry().center(), frame);
}

void FrmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

// The secondary windows are modeless and ownerless; sending the user back to the open one is
// what makes them behave as modal windows over this one. A window manager may hand the
// activation back and forth several times for one click (openbox: within a few milliseconds), so
// each of those sends the user back again, but only the first beeps.
void FrmMain::Form_Activate()
{
    for (WindowSlot *slot : { &m_windows.author, &m_windows.about, &m_windows.statusDialog }) {
        if (slot->isVisible()) {
            if (!m_sendingBack->isEnabled())
                m_services.beep.beep();
            m_sendingBack->setEnabled(true);
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

// Qt has already set or cleared the check mark, which is what the bar is to become.
void FrmMain::MenuViewStBar_Click()
{
    m_barAnimation.setWanted(MenuViewStBar->isChecked());
    showBarAnimation();
}

void FrmMain::Timer3_Timer()
{
    m_barAnimation.growTick();
    showBarAnimation();
}

void FrmMain::Timer4_Timer()
{
    m_barAnimation.shrinkTick();
    showBarAnimation();
}

void FrmMain::showBarAnimation()
{
    Timer3->setEnabled(m_barAnimation.phase() == BarAnimation::Phase::Growing);
    Timer4->setEnabled(m_barAnimation.phase() == BarAnimation::Phase::Shrinking);
    if (m_barAnimation.isBarVisible())
        statusBar1()->show();
    else if (StatusBar1)
        StatusBar1->hide();
    applyHeight();
}

// The height is kept in twips and mapped once per change, so the part below the menu bar is
// exactly the design's client height on every tick: reading the pixel height back and adding a
// rounded step would drift. A window manager's frame lies outside and does not move the bounds.
void FrmMain::applyHeight()
{
    const int width = Twips::toPixels(10110);
    int menuHeight = 0;
    if (QMenuBar *menu = menuBar(); !menu->isHidden() && !menu->isNativeMenuBar()) {
        menuHeight = menu->heightForWidth(width);
        if (menuHeight < 0)
            menuHeight = menu->sizeHint().height();
    }
    setFixedSize(width, menuHeight + Twips::toPixels(m_barAnimation.clientHeight()));
}

void FrmMain::StatusBar1_PanelClick(StatusPanel *panel)
{
    StatusBar1->refresh();
    const auto report = [this](const QString &text, const QString &title) {
        m_services.messages.show(this, text, title, MessageBox::Icon::None);
    };
    const QLocale locale = QLocale::system();
    switch (panel->index()) {
    case 1:
        m_windows.statusDialog.show();
        break;
    case 2:
    case 3:
    case 4: {
        const QString key = panel->keyName();
        report(
            key + (panel->isPanelEnabled() ? QStringLiteral(" is ON") : QStringLiteral(" is OFF")),
            key + QStringLiteral(" Status"));
        break;
    }
    case 5:
        report(locale.toString(m_clock.now().time(),
                   ClockFormats::messageTime(locale.timeFormat(QLocale::LongFormat))),
            QStringLiteral("Time"));
        break;
    case 6:
        report(locale.toString(m_clock.now().date(), QLocale::ShortFormat), QStringLiteral("Date"));
        break;
    default:
        break;
    }
}

void FrmMain::MenuAboutApp_Click()
{
    m_windows.about.show();
}

void FrmMain::SaveAndExit()
{
    // The save may wait seconds for a file another program holds; the program that only finishes
    // has no business watching the keyboard of every program meanwhile.
    m_lockKeys.setWatching(false);
    if (saveSettings())
        m_services.process.endNow(0);
    m_lockKeys.setWatching(true);
}

bool FrmMain::saveSettings()
{
    // Settings that were never read have nothing to give back: a first run closed before the
    // welcome window drew stays a first run.
    if (!m_loaded.value_or(false))
        return true;
    try {
        m_settings.write(SettingsFile::FirstRun, QStringLiteral("0"));
        m_settings.write(SettingsFile::Mode, m_modeC2A ? QStringLiteral("1") : QStringLiteral("0"));
        m_settings.write(SettingsFile::StatusBar,
            MenuViewStBar->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        if (StatusBar1) {
            StatusBar1->refresh();
            for (int i = 0; i < PanelMask::panelCount; ++i)
                m_panelsShown[i] = StatusBar1->panel(PanelMask::firstPanel + i)->isShown();
        }
        Text4->setText(PanelMask::build(m_panelsShown));
        m_settings.write(SettingsFile::PanelMask, Text4->text());
        return true;
    } catch (const SettingsError &error) {
        m_services.messages.show(
            this, error.description(), QStringLiteral("Error"), MessageBox::Icon::Critical);
        return false;
    }
}

StatusBar *FrmMain::statusBar1()
{
    if (!StatusBar1) {
        StatusBar1 = new StatusBar(m_services.timers, m_lockKeys, m_clock, this);
        setStatusBar(StatusBar1);
        connect(StatusBar1, &StatusBar::panelClicked, this, &FrmMain::StatusBar1_PanelClick);
        InitStatusBar();
    }
    return StatusBar1;
}

void FrmMain::InitStatusBar()
{
    using Style = StatusPanel::Style;
    StatusBar1->hide();
    StatusBar1->setFont(DesignStyle::arial(10, false));
    StatusBar1->setHeight(300);
    StatusBar1->addPanel(2, Style::NumLock);
    StatusBar1->addPanel(3, Style::CapsLock);
    StatusBar1->addPanel(4, Style::ScrollLock);
    StatusBar1->addPanel(5, Style::Time);
    StatusBar1->addPanel(6, Style::Date);

    StatusPanel *caption = StatusBar1->panel(1);
    caption->setText(QStringLiteral("Status Bar :"));
    caption->setAutoSize(StatusPanel::AutoSize::Spring);
    caption->setMinWidth(1000);
    const double widths[] = { 700, 700, 700, 1500, 1500 };
    for (int index = 2; index <= 6; ++index) {
        StatusBar1->panel(index)->setAlignment(Qt::AlignCenter);
        StatusBar1->panel(index)->setWidth(widths[index - 2]);
    }
    const char *tooltips[] = { "Click to Customize Status Bar", "Num Lock Status",
        "Caps Lock Status", "Scroll Lock Status", "Time", "Date" };
    for (int index = 1; index <= 6; ++index)
        StatusBar1->panel(index)->setToolTipText(QString::fromLatin1(tooltips[index - 1]));
    showStoredPanels();
}

void FrmMain::applyPanelMask(const QString &mask)
{
    if (!PanelMask::isUsable(mask))
        return;
    Text4->setText(mask);
    m_panelsShown = PanelMask::visibility(Text4->text());
    if (StatusBar1)
        showStoredPanels();
}

void FrmMain::showStoredPanels()
{
    for (int i = 0; i < PanelMask::panelCount; ++i)
        StatusBar1->panel(PanelMask::firstPanel + i)->setShown(m_panelsShown[i]);
}
