#include "frm_wlcm.h"

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
#include <QGuiApplication>
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

FrmWlcm::FrmWlcm(Services &services, std::function<void()> showMainWindow)
    : Form(QStringLiteral("FrmWlcm"))
    , m_showMainWindow(std::move(showMainWindow))
{
    setWindowTitle(QStringLiteral("Welcome"));
    // Said once when the window appears; the letters typed one by one are not announced.
    setAccessibleName(QString::fromLatin1(Banner::text));
    coverScreen();
    createControls();
    createTimers(services.timers);
    Form_Load();
}

FrmWlcm::~FrmWlcm() = default;

void FrmWlcm::coverScreen()
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    keepOutOfTaskBar(this);
    // Full screen is a request to the window manager; the geometry also covers the screen where
    // there is none to grant it.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

void FrmWlcm::createControls()
{
    setAutoFillBackground(true);
    DesignStyle::setColours(this, { { QPalette::Window, QColor(255, 192, 255) } });
    setFont(DesignStyle::arial(9.75));
    const QColor highlight = palette().color(QPalette::Highlight);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::NoFrame);
    Frame1->setAutoFillBackground(true);
    DesignStyle::setColours(Frame1, { { QPalette::Window, QColor(192, 255, 192) } });
    Twips::place(
        Frame1, 360, 360, WelcomeAnimation::panelSize.width, WelcomeAnimation::panelSize.height);

    // Looked up by name among the installed families: hasFamily() would first run each name
    // through fontconfig's whole substitution configuration, a millisecond a name before the
    // first frame.
    const WelcomeFonts::BannerFace bannerFace = WelcomeFonts::chooseBannerFace(
        [](const QString &family) { return !QFontDatabase::styles(family).isEmpty(); });
    std::array<WelcomeAnimation::Size, Banner::letterCount> letterSizes;
    for (int i = 0; i < Banner::letterCount; ++i) {
        const Banner::Letter &letter = Banner::letters[i];
        Label *label = new Label(
            QStringLiteral("Lbl1_%1").arg(i), QString(QLatin1Char(letter.letter)), Frame1);
        label->setFont(WelcomeFonts::letterFont(letter.face, bannerFace));
        label->setTextColour(highlight);
        label->setAutoSize(true);
        label->hide();
        letterSizes[i] = { Twips::fromPixels(label->width()), Twips::fromPixels(label->height()) };
        Lbl1[i] = label;
    }
    // Placed once their sizes are known: the animation lays the last row out from them.
    m_animation = std::make_unique<WelcomeAnimation>(letterSizes);
    for (int i = 0; i < Banner::letterCount; ++i) {
        Lbl1[i]->move(
            Twips::toPixels(m_animation->letterLeft(i)), Twips::toPixels(Banner::letters[i].top));
    }

    Lbl2 = new Label(QStringLiteral("Lbl2"), QString(), Frame1);
    Lbl2->setAutoFillBackground(true);
    DesignStyle::setColours(
        Lbl2, { { QPalette::Window, QColor(0, 192, 0) }, { QPalette::WindowText, Qt::black } });
    Twips::place(Lbl2, barLeft, barTop, m_animation->barWidth(), barHeight);
    Lbl2->hide();

    // The design caption is the longest text the label gets; where a substitute font draws it
    // wider than the design, the label grows rather than clipping the dots.
    Lbl3 = new Label(QStringLiteral("Lbl3"), fromLatin1(m_animation->progressText()), Frame1);
    Lbl3->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Twips::place(Lbl3, 4020, 6720, 5445, 240);
    Lbl3->resize(std::max(Lbl3->width(), Lbl3->sizeHint().width()), Lbl3->height());
    Lbl3->hide();

    Lbl4 = new Label(QStringLiteral("Lbl4"), QStringLiteral("_"), Frame1);
    Lbl4->setFont(DesignStyle::arial(72));
    Lbl4->setTextColour(highlight);
    Lbl4->move(Twips::toPixels(1200), Twips::toPixels(480));
    Lbl4->setAutoSize(true);
}

void FrmWlcm::createTimers(TimerFactory &timers)
{
    const std::array<std::function<void()>, WelcomeAnimation::timerCount> handlers {
        [this] { Timer1_Timer(); },
        [this] { Timer2_Timer(); },
        [this] { Timer3_Timer(); },
        [this] { Timer4_Timer(); },
        [this] { Timer5_Timer(); },
    };
    for (int i = 0; i < WelcomeAnimation::timerCount; ++i) {
        m_windowTimers[i]
            = addTimer(timers.create(this, WelcomeAnimation::intervalMs(Timer(i)), handlers[i]));
    }
}

void FrmWlcm::Form_Load()
{
    m_animation->load();
    showCursor();
    enableTimers();
}

void FrmWlcm::Timer1_Timer()
{
    m_animation->typingTick();
    showLetters();
    showCursor();
    enableTimers();
}

void FrmWlcm::Timer2_Timer()
{
    m_animation->loadingTick();
    showProgress();
    enableTimers();
}

void FrmWlcm::Timer3_Timer()
{
    m_animation->handOverTick();
    enableTimers();
    if (m_animation->isHandedOver()) {
        m_showMainWindow();
        unload();
    }
}

// Centred once, from the size the window has by its first tick.
void FrmWlcm::Timer4_Timer()
{
    m_animation->centringTick({ Twips::fromPixels(width()), Twips::fromPixels(height()) });
    Frame1->move(
        Twips::toPixels(m_animation->panelLeft()), Twips::toPixels(m_animation->panelTop()));
    enableTimers();
}

void FrmWlcm::Timer5_Timer()
{
    m_animation->blinkTick();
    Lbl4->setVisible(m_animation->cursor().visible);
}

bool FrmWlcm::event(QEvent *event)
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

void FrmWlcm::showLetters()
{
    for (int i = 0; i < Banner::letterCount; ++i)
        Lbl1[i]->setVisible(m_animation->isLetterVisible(i));
}

void FrmWlcm::showCursor()
{
    const WelcomeAnimation::Cursor &cursor = m_animation->cursor();
    if (Lbl4->font().pointSizeF() != cursor.pointSize) {
        Lbl4->setFont(DesignStyle::arial(cursor.pointSize));
        Lbl4->adjustSize();
    }
    const QSize natural = Lbl4->sizeHint();
    Twips::place(Lbl4, cursor.left, cursor.top,
        cursor.width.value_or(Twips::fromPixels(natural.width())),
        Twips::fromPixels(natural.height()));
    Lbl4->setVisible(cursor.visible);
}

void FrmWlcm::showProgress()
{
    Twips::place(Lbl2, barLeft, barTop, m_animation->barWidth(), barHeight);
    Lbl2->setVisible(m_animation->isBarVisible());
    // Named before the text changes: a label with a name of its own does not announce each new
    // text, so a screen reader hears the quarters rather than every percent.
    const QString spoken = fromLatin1(m_animation->spokenProgress());
    if (Lbl3->accessibleName() != spoken)
        Lbl3->setAccessibleName(spoken);
    Lbl3->setText(fromLatin1(m_animation->progressText()));
    Lbl3->setVisible(m_animation->isProgressVisible());
}

void FrmWlcm::enableTimers()
{
    for (int i = 0; i < WelcomeAnimation::timerCount; ++i)
        m_windowTimers[i]->setEnabled(m_animation->isTimerEnabled(Timer(i)));
}
