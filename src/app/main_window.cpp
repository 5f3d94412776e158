#include "main_window.h"

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
#include "statusbar/panels.h"
#include "statusbar/status_bar.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {

// The client area's width, which no status bar or menu changes.
constexpr double clientWidthTwips = 10110;

} // namespace

MainWindow::MainWindow(Services &services, SettingsStore &settings, SecondaryWindows &windows,
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
    for (WindowSlot *slot : m_windows.all())
        slot->setUnloadedHandler([this] { onSecondaryWindowUnloaded(); });
    DesignStyle::followHighContrast(this, services.highContrast);
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    // The height follows the window's, which grows and shrinks with the status bar.
    client->setFixedWidth(Twips::toPixels(clientWidthTwips));
    client->setMinimumHeight(0);
    client->setAutoFillBackground(true);
    DesignStyle::setColours(client,
        { { QPalette::Window, QColor(255, 192, 255) }, { QPalette::WindowText, Qt::black } });
    client->setFont(DesignStyle::arial(9.75));
    setCentralWidget(client);

    const QFont large = DesignStyle::arial(20.25);
    m_inputCaption = new Label(QStringLiteral("Lbl1"), QStringLiteral("&Enter Character"), client);
    m_inputCaption->setFont(large);
    Twips::place(m_inputCaption, 960, 1030, 3135, 495);
    m_inputCaption->setAutoSize(true);

    m_characterInput = new TextBox(QStringLiteral("Text1"), client);
    m_codeInput = new TextBox(QStringLiteral("Text2"), client);
    m_codeInput->setMaxLength(3);
    m_characterInput->setAccessibleName(QStringLiteral("Enter Character"));
    m_codeInput->setAccessibleName(QStringLiteral("Enter ASCII Value"));
    for (TextBox *box : { m_characterInput, m_codeInput }) {
        box->setFont(large);
        Twips::place(box, 5040, 960, 4095, 615);
    }

    m_resultCaption = new Label(QStringLiteral("Lbl2"), QStringLiteral("ASCII Value is"), client);
    m_resultCaption->setFont(large);
    Twips::place(m_resultCaption, 960, 2490, 2775, 495);
    m_resultCaption->setAutoSize(true);

    m_result = new TextBox(QStringLiteral("Text3"), client);
    m_result->setFont(large);
    m_result->setReadOnly(true);
    Twips::place(m_result, 5040, 2400, 4095, 615);

    m_exitButton = new QPushButton(QStringLiteral("E&xit"), client);
    m_exitButton->setObjectName(QStringLiteral("CmdExit"));
    m_exitButton->setAccessibleName(QStringLiteral("Exit"));
    // Enter on the focused button presses it, as Space does; outside a dialog Qt needs this.
    m_exitButton->setAutoDefault(true);
    Twips::place(m_exitButton, 7560, 3960, 1575, 375);

    const QColor green(0, 192, 0);
    m_numericWarning
        = new Label(QStringLiteral("Lbl3"), QStringLiteral("Please enter numeric value"), client);
    Twips::place(m_numericWarning, 5040, 1680, 2625, 240);
    m_numericWarning->setAutoSize(true);
    m_numericWarning->setTextColour(green);

    m_characterName = new Label(QStringLiteral("Lbl4"), QString(), client);
    Twips::place(m_characterName, 5040, 3120, 60, 240);
    m_characterName->setAutoSize(true);
    m_characterName->setTextColour(green);

    setTabOrder(m_characterInput, m_codeInput);
    setTabOrder(m_codeInput, m_result);
    setTabOrder(m_result, m_exitButton);

    m_characterInput->setKeyPressHandler([this](std::int16_t &code) { onCharacterKeyPress(code); });
    m_characterInput->setChangeHandler([this] { onCharacterChanged(); });
    m_characterInput->setGotFocusHandler([this] { m_characterInput->selectWholeText(); });
    m_codeInput->setKeyPressHandler([this](std::int16_t &code) { onCodeKeyPress(code); });
    m_codeInput->setChangeHandler([this] { onCodeChanged(); });
    m_codeInput->setGotFocusHandler([this] { m_codeInput->selectWholeText(); });
    m_result->setGotFocusHandler([this] { m_result->selectWholeText(); });
    connect(m_exitButton, &QPushButton::clicked, this, &MainWindow::onExitClicked);
}

void MainWindow::createActions()
{
    m_charToCodeAction = new QAction(QStringLiteral("&Character to ASCII"), this);
    m_charToCodeAction->setObjectName(QStringLiteral("MenuModeC2A"));
    m_charToCodeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    m_codeToCharAction = new QAction(QStringLiteral("A&SCII to Character"), this);
    m_codeToCharAction->setObjectName(QStringLiteral("MenuModeA2C"));
    m_codeToCharAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F2));
    // Not an exclusive group: Qt draws those with radio bullets, and the menu shows check marks.
    // The handlers set both marks, and choosing the current mode puts its mark back.
    for (QAction *mode : { m_charToCodeAction, m_codeToCharAction })
        mode->setCheckable(true);
    connect(m_charToCodeAction, &QAction::triggered, this, &MainWindow::onCharToCodeTriggered);
    connect(m_codeToCharAction, &QAction::triggered, this, &MainWindow::onCodeToCharTriggered);

    m_statusBarAction = new QAction(QStringLiteral("S&tatus Bar"), this);
    m_statusBarAction->setObjectName(QStringLiteral("MenuViewStBar"));
    m_statusBarAction->setCheckable(true);
    // The check mark is the stored setting; the bar follows it.
    connect(m_statusBarAction, &QAction::triggered, this, &MainWindow::onStatusBarTriggered);

    m_aboutAction = new QAction(QStringLiteral("About &Glyphorbitaloscopex"), this);
    m_aboutAction->setObjectName(QStringLiteral("MenuAboutApp"));
    m_aboutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::onAboutTriggered);
}

void MainWindow::createMenus()
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
    mode->addAction(m_charToCodeAction);
    mode->addAction(m_codeToCharAction);
    addMenu("MenuView", QStringLiteral("&View"))->addAction(m_statusBarAction);
    addMenu("MenuAbout", QStringLiteral("&About"))->addAction(m_aboutAction);
}

void MainWindow::createTimers()
{
    m_convertTimer = m_services.timers.create(this, 300, [this] { onConvertTimer(); });
    m_warningTimer = m_services.timers.create(this, 1000, [this] { onWarningTimer(); });
    m_growTimer = m_services.timers.create(this, 20, [this] { onGrowTimer(); });
    m_shrinkTimer = m_services.timers.create(this, 20, [this] { onShrinkTimer(); });
    m_sendingBack
        = m_services.timers.create(this, 250, [this] { m_sendingBack->setEnabled(false); });
}

PanelVisibility &MainWindow::statusBarPanels()
{
    return *builtStatusBar();
}

void MainWindow::load()
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

void MainWindow::showAfterWelcome()
{
    if (!finishLoading())
        return;
    show();
    raise();
    activateWindow();
}

bool MainWindow::finishLoading()
{
    if (!m_loaded) {
        createControls();
        createActions();
        createMenus();
        createTimers();
        applyHeight();
        m_loaded = readSettings([this] {
            showMode(m_settings.readInteger(SettingsFile::Mode) == 1);
            m_numericWarning->hide();
            if (m_settings.readNumberEqualsOne(SettingsFile::StatusBar)) {
                m_statusBarAction->setChecked(true);
                m_barAnimation.startShown();
                showBarAnimation();
            }
            applyPanelMask(m_settings.readText(SettingsFile::PanelMask));
        });
    }
    return *m_loaded;
}

bool MainWindow::readSettings(const std::function<void()> &read)
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

void MainWindow::failStartup(const QString &text, const QString &title, MessageBox::Icon icon)
{
    // The welcome window goes first: its hand-over would otherwise show this half-loaded window
    // while the message waits for the user.
    m_windows.welcome.unload();
    m_services.messages.show(nullptr, text, title, icon);
    m_services.process.endNow(1);
}

void MainWindow::showEvent(QShowEvent *event)
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

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        watched->removeEventFilter(this);
        if (const QMargins frame = WindowPlacement::frameNow(this); frame != m_expectedFrame)
            centreOnScreen(frame);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::centreOnScreen(const QMargins &frame)
{
    if (const QScreen *screen = this->screen())
        WindowPlacement::centre(this, screen->availableGeometry().center(), frame);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        onActivated();
}

// The secondary windows are modeless and ownerless; sending the user back to the open one is
// what makes them behave as modal windows over this one. A window manager may hand the
// activation back and forth several times for one click (openbox: within a few milliseconds), so
// each of those sends the user back again, but only the first beeps.
void MainWindow::onActivated()
{
    // The user comes back from another program, where the keys may have gone past every notice,
    // and looks at the bar first.
    m_lockKeys.recheck();
    if (WindowSlot *slot = topSecondaryWindow()) {
        if (!m_sendingBack->isEnabled())
            m_services.beep.beep();
        m_sendingBack->setEnabled(true);
        slot->show();
    }
}

// The author page lies over the About window, which it needs open beneath it.
WindowSlot *MainWindow::topSecondaryWindow() const
{
    for (WindowSlot *slot : { &m_windows.author, &m_windows.about, &m_windows.statusDialog }) {
        if (slot->isVisible())
            return slot;
    }
    return nullptr;
}

// Left to itself, Windows hands a closed window's activation to its owner, which is hidden and
// cannot take it, and so to whatever program lies beneath; an X11 window manager picks by a rule
// of its own. So the next window is activated here, while the closing one is still active and
// before it hides: Windows lets the foreground process bring another of its windows to the
// foreground (Qt's activation is SetForegroundWindow), and the hidden window has no activation
// left to hand on.
void MainWindow::onSecondaryWindowUnloaded()
{
    if (m_unloadingAll || !isVisible())
        return;
    if (WindowSlot *next = topSecondaryWindow()) {
        next->show();
    } else {
        raise();
        activateWindow();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    onUnload();
    event->accept();
}

void MainWindow::onUnload()
{
    m_unloadingAll = true;
    for (WindowSlot *slot : m_windows.all())
        slot->unload();
    m_unloadingAll = false;
    saveAndExit();
}

void MainWindow::onExitClicked()
{
    saveAndExit();
}

// Qt has already set or cleared the check mark, which is what the bar is to become.
void MainWindow::onStatusBarTriggered()
{
    m_barAnimation.setWanted(m_statusBarAction->isChecked());
    showBarAnimation();
}

void MainWindow::onGrowTimer()
{
    m_barAnimation.growTick();
    showBarAnimation();
}

void MainWindow::onShrinkTimer()
{
    m_barAnimation.shrinkTick();
    showBarAnimation();
}

void MainWindow::showBarAnimation()
{
    m_growTimer->setEnabled(m_barAnimation.phase() == BarAnimation::Phase::Growing);
    m_shrinkTimer->setEnabled(m_barAnimation.phase() == BarAnimation::Phase::Shrinking);
    if (m_barAnimation.isBarVisible())
        builtStatusBar()->show();
    else if (m_statusBar)
        m_statusBar->hide();
    applyHeight();
}

// The height is kept in twips and mapped once per change, so the part below the menu bar is
// exactly the design's client height on every tick: reading the pixel height back and adding a
// rounded step would drift. A window manager's frame lies outside and does not move the bounds.
void MainWindow::applyHeight()
{
    const int width = Twips::toPixels(clientWidthTwips);
    int menuHeight = 0;
    if (QMenuBar *menu = menuBar(); !menu->isHidden() && !menu->isNativeMenuBar()) {
        menuHeight = menu->heightForWidth(width);
        if (menuHeight < 0)
            menuHeight = menu->sizeHint().height();
    }
    setFixedSize(width, menuHeight + Twips::toPixels(m_barAnimation.clientHeight()));
}

void MainWindow::onPanelClicked(StatusPanel *panel)
{
    m_statusBar->refresh();
    const auto report = [this](const QString &text, const QString &title) {
        m_services.messages.show(this, text, title, MessageBox::Icon::None);
    };
    const QLocale locale = QLocale::system();
    switch (panel->style()) {
    case StatusPanel::Style::Text:
        m_windows.statusDialog.show();
        break;
    case StatusPanel::Style::NumLock:
    case StatusPanel::Style::CapsLock:
    case StatusPanel::Style::ScrollLock: {
        const QString key = panel->keyName();
        report(
            key + (panel->isPanelEnabled() ? QStringLiteral(" is ON") : QStringLiteral(" is OFF")),
            key + QStringLiteral(" Status"));
        break;
    }
    case StatusPanel::Style::Time:
        report(locale.toString(m_clock.now().time(),
                   ClockFormats::messageTime(locale.timeFormat(QLocale::LongFormat))),
            QStringLiteral("Time"));
        break;
    case StatusPanel::Style::Date:
        report(locale.toString(m_clock.now().date(), QLocale::ShortFormat), QStringLiteral("Date"));
        break;
    }
}

void MainWindow::onAboutTriggered()
{
    m_windows.about.show();
}

void MainWindow::saveAndExit()
{
    // The save may wait seconds for a file another program holds; the program that only finishes
    // has no business watching the keyboard of every program meanwhile.
    m_lockKeys.setWatching(false);
    if (saveSettings())
        m_services.process.endNow(0);
    m_lockKeys.setWatching(true);
}

bool MainWindow::saveSettings()
{
    // Settings that were never read have nothing to give back: a first run closed before the
    // welcome window drew stays a first run.
    if (!m_loaded.value_or(false))
        return true;
    try {
        m_settings.write(SettingsFile::FirstRun, QStringLiteral("0"));
        m_settings.write(
            SettingsFile::Mode, m_charToCode ? QStringLiteral("1") : QStringLiteral("0"));
        m_settings.write(SettingsFile::StatusBar,
            m_statusBarAction->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        if (m_statusBar) {
            m_statusBar->refresh();
            for (int i = 0; i < PanelMask::panelCount; ++i)
                m_panelsShown[i] = m_statusBar->panel(PanelMask::firstPanel + i)->isShown();
        }
        m_settings.write(SettingsFile::PanelMask, PanelMask::build(m_panelsShown));
        return true;
    } catch (const SettingsError &error) {
        m_services.messages.show(
            this, error.description(), QStringLiteral("Error"), MessageBox::Icon::Critical);
        return false;
    }
}

StatusBar *MainWindow::builtStatusBar()
{
    if (!m_statusBar) {
        m_statusBar = new StatusBar(m_services.timers, m_lockKeys, m_clock, this);
        setStatusBar(m_statusBar);
        connect(m_statusBar, &StatusBar::panelClicked, this, &MainWindow::onPanelClicked);
        setUpStatusBar();
    }
    return m_statusBar;
}

void MainWindow::setUpStatusBar()
{
    m_statusBar->hide();
    m_statusBar->setFont(DesignStyle::arial(10, false));
    m_statusBar->setHeight(300);
    // The bar comes with its caption, panel 1.
    for (int index = 2; index <= Panels::count; ++index)
        m_statusBar->addPanel(index, Panels::at(index).style);
    for (int index = 1; index <= Panels::count; ++index) {
        const Panels::Row &row = Panels::at(index);
        StatusPanel *panel = m_statusBar->panel(index);
        if (row.style == StatusPanel::Style::Text) {
            panel->setText(QLatin1String(row.text));
            panel->setAutoSize(StatusPanel::AutoSize::Spring);
            panel->setMinWidth(row.width);
        } else {
            panel->setAlignment(Qt::AlignCenter);
            panel->setWidth(row.width);
        }
        panel->setToolTipText(QLatin1String(row.toolTip));
    }
    showStoredPanels();
}

void MainWindow::applyPanelMask(const QString &mask)
{
    if (!PanelMask::isUsable(mask))
        return;
    m_panelsShown = PanelMask::visibility(mask);
    if (m_statusBar)
        showStoredPanels();
}

void MainWindow::showStoredPanels()
{
    for (int i = 0; i < PanelMask::panelCount; ++i)
        m_statusBar->panel(PanelMask::firstPanel + i)->setShown(m_panelsShown[i]);
}
