#include "welcome_window.h"

#include "controls/design_style.h"
#include "controls/label.h"
#include "controls/twips.h"
#include "platform/services.h"
#include "platform/task_bar.h"
#include "platform/window_timer.h"
#include "welcome_fonts.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QScreen>
#include <algorithm>

namespace {

using Timer = WelcomeAnimation::Timer;

// The progress bar's design place; only its width changes.
constexpr double barLeft = 480;
constexpr double barTop = 6240;
constexpr double barHeight = 375;

QString fromLatin1(const std::string &text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WelcomeWindow::WelcomeWindow(
    Services &services, QScreen *screen, std::function<void()> showMainWindow)
    : Form(QStringLiteral("FrmWlcm"))
    , m_showMainWindow(std::move(showMainWindow))
{
    setWindowTitle(QStringLiteral("Welcome"));
    // Said once when the window appears; the letters typed one by one are not announced.
    setAccessibleName(QString::fromLatin1(Banner::text));
    coverScreen(screen);
    createControls();
    DesignStyle::followHighContrast(this, services.highContrast);
    createTimers(services.timers);
    load();
}

WelcomeWindow::~WelcomeWindow() = default;

void WelcomeWindow::coverScreen(QScreen *screen)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    keepOutOfTaskBar(this);
    // Full screen is a request to the window manager for the screen the geometry puts the window
    // on; the geometry also covers that screen where there is none to grant it.
    if (screen)
        setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

void WelcomeWindow::createControls()
{
    setAutoFillBackground(true);
    DesignStyle::setColours(this,
        { { QPalette::Window, QColor(255, 192, 255) },
            { QPalette::WindowText, DesignStyle::systemText } });
    setFont(DesignStyle::arial(9.75));

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Frame1"));
    m_panel->setFrameShape(QFrame::NoFrame);
    m_panel->setAutoFillBackground(true);
    DesignStyle::setColours(m_panel, { { QPalette::Window, QColor(192, 255, 192) } });
    Twips::place(
        m_panel, 360, 360, WelcomeAnimation::panelSize.width, WelcomeAnimation::panelSize.height);

    // Looked up by name among the installed families: hasFamily() would first run each name
    // through fontconfig's whole substitution configuration, a millisecond a name before the
    // first frame.
    const WelcomeFonts::BannerFace bannerFace = WelcomeFonts::chooseBannerFace(
        [](const QString &family) { return !QFontDatabase::styles(family).isEmpty(); });
    std::array<WelcomeAnimation::Size, Banner::letterCount> letterSizes;
    for (int i = 0; i < Banner::letterCount; ++i) {
        const Banner::Letter &letter = Banner::letters[i];
        Label *label = new Label(
            QStringLiteral("Lbl1_%1").arg(i), QString(QLatin1Char(letter.letter)), m_panel);
        label->setFont(WelcomeFonts::letterFont(letter.face, bannerFace));
        label->setTextColour(DesignStyle::systemHighlight);
        label->setAutoSize(true);
        label->hide();
        letterSizes[i] = { Twips::fromPixels(label->width()), Twips::fromPixels(label->height()) };
        m_letters[i] = label;
    }
    // Placed once their sizes are known: the animation lays the last row out from them.
    m_animation = std::make_unique<WelcomeAnimation>(letterSizes);
    for (int i = 0; i < Banner::letterCount; ++i) {
        m_letters[i]->move(
            Twips::toPixels(m_animation->letterLeft(i)), Twips::toPixels(Banner::letters[i].top));
    }

    m_progressBar = new Label(QStringLiteral("Lbl2"), QString(), m_panel);
    m_progressBar->setAutoFillBackground(true);
    // Filled with the highlight role, so that in the system's colours, where its background would
    // be the panel's, the bar still shows.
    m_progressBar->setBackgroundRole(QPalette::Highlight);
    DesignStyle::setColours(m_progressBar,
        { { QPalette::Highlight, QColor(0, 192, 0) }, { QPalette::WindowText, Qt::black } });
    Twips::place(m_progressBar, barLeft, barTop, m_animation->barWidth(), barHeight);
    m_progressBar->hide();

    // The design caption is the longest text the label gets; where a substitute font draws it
    // wider than the design, the label grows rather than clipping the dots.
    m_progressText
        = new Label(QStringLiteral("Lbl3"), fromLatin1(m_animation->progressText()), m_panel);
    m_progressText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Twips::place(m_progressText, 4020, 6720, 5445, 240);
    m_progressText->resize(std::max(m_progressText->width(), m_progressText->sizeHint().width()),
        m_progressText->height());
    m_progressText->hide();

    m_cursor = new Label(QStringLiteral("Lbl4"), QStringLiteral("_"), m_panel);
    m_cursor->setFont(DesignStyle::arial(72));
    m_cursor->setTextColour(DesignStyle::systemHighlight);
    m_cursor->move(Twips::toPixels(1200), Twips::toPixels(480));
    m_cursor->setAutoSize(true);
}

void WelcomeWindow::createTimers(TimerFactory &timers)
{
    const std::array<std::function<void()>, WelcomeAnimation::timerCount> handlers {
        [this] { onTypingTimer(); },
        [this] { onLoadingTimer(); },
        [this] { onHandOverTimer(); },
        [this] { onCentringTimer(); },
        [this] { onBlinkTimer(); },
    };
    for (int i = 0; i < WelcomeAnimation::timerCount; ++i) {
        m_windowTimers[i]
            = addTimer(timers.create(this, WelcomeAnimation::intervalMs(Timer(i)), handlers[i]));
    }
}

void WelcomeWindow::load()
{
    m_animation->load();
    showCursor();
    enableTimers();
}

void WelcomeWindow::onTypingTimer()
{
    m_animation->typingTick();
    showLetters();
    showCursor();
    enableTimers();
}

void WelcomeWindow::onLoadingTimer()
{
    m_animation->loadingTick();
    showProgress();
    enableTimers();
}

void WelcomeWindow::onHandOverTimer()
{
    m_animation->handOverTick();
    enableTimers();
    if (m_animation->isHandedOver()) {
        m_showMainWindow();
        unload();
    }
}

// Centred once, from the size the window has by its first tick.
void WelcomeWindow::onCentringTimer()
{
    m_animation->centringTick({ Twips::fromPixels(width()), Twips::fromPixels(height()) });
    m_panel->move(
        Twips::toPixels(m_animation->panelLeft()), Twips::toPixels(m_animation->panelTop()));
    enableTimers();
}

void WelcomeWindow::onBlinkTimer()
{
    m_animation->blinkTick();
    m_cursor->setVisible(m_animation->cursor().visible);
}

bool WelcomeWindow::event(QEvent *event)
{
    // Closed by the user (Alt+F4, the window manager) rather than by the program: the main window
    // is still hidden, so it takes over at once instead of leaving a program with no window.
    if (event->type() == QEvent::Close && event->spontaneous() && !isUnloaded())
        m_showMainWindow();
    // Nothing brings this window back once a window manager has minimised it, and the main window
    // stays hidden until the hand-over: the program would be left without a window on screen.
    if (event->type() == QEvent::WindowStateChange)
        restoreFromMinimised();
    return Form::event(event);
}

void WelcomeWindow::showLetters()
{
    for (int i = 0; i < Banner::letterCount; ++i)
        m_letters[i]->setVisible(m_animation->isLetterVisible(i));
}

void WelcomeWindow::showCursor()
{
    const WelcomeAnimation::Cursor &cursor = m_animation->cursor();
    if (m_cursor->font().pointSizeF() != cursor.pointSize) {
        m_cursor->setFont(DesignStyle::arial(cursor.pointSize));
        m_cursor->adjustSize();
    }
    const QSize natural = m_cursor->sizeHint();
    Twips::place(m_cursor, cursor.left, cursor.top,
        cursor.width.value_or(Twips::fromPixels(natural.width())),
        Twips::fromPixels(natural.height()));
    m_cursor->setVisible(cursor.visible);
}

void WelcomeWindow::showProgress()
{
    Twips::place(m_progressBar, barLeft, barTop, m_animation->barWidth(), barHeight);
    m_progressBar->setVisible(m_animation->isBarVisible());
    // Named before the text changes: a label with a name of its own does not announce each new
    // text, so a screen reader hears the quarters rather than every percent.
    const QString spoken = fromLatin1(m_animation->spokenProgress());
    if (m_progressText->accessibleName() != spoken)
        m_progressText->setAccessibleName(spoken);
    m_progressText->setText(fromLatin1(m_animation->progressText()));
    m_progressText->setVisible(m_animation->isProgressVisible());
}

void WelcomeWindow::enableTimers()
{
    for (int i = 0; i < WelcomeAnimation::timerCount; ++i)
        m_windowTimers[i]->setEnabled(m_animation->isTimerEnabled(Timer(i)));
}
