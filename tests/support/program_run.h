#pragma once

#include "app/main_window.h"
#include "app/secondary_windows.h"
#include "app_folder.h"
#include "controls/text_box.h"
#include "fake_clock.h"
#include "fake_lock_keys.h"
#include "fake_services.h"
#include "fake_sys_info.h"
#include "fake_url_opener.h"
#include "find_control.h"
#include "settings/settings_store.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>

#include <memory>
#include <source_location>

// A control of the main window, found by its design name when a test first uses it, since the
// window builds its controls as it loads. A missing one fails the test with its name, and a hidden
// one of the test's own stands in, so that the test ends in failure instead of crashing the suite.
template<typename T> class MainControl
{
public:
    MainControl(const QWidget &window, const char *name)
        : m_window(window)
        , m_name(name)
    { }
    T *operator->() { return get(); }
    operator T *() { return get(); }

private:
    T *get()
    {
        if (!m_control && !(m_control = findControl<T>(&m_window, QLatin1String(m_name)))) {
            if constexpr (std::is_same_v<T, TextBox>)
                m_standIn = std::make_unique<TextBox>(QString());
            else
                m_standIn = std::make_unique<T>();
            m_control = m_standIn.get();
        }
        return m_control;
    }

    const QWidget &m_window;
    const char *m_name;
    QPointer<T> m_control; // gone with the window, to be found in the next one
    std::unique_ptr<T> m_standIn;
};

// One run of the whole program over a temporary application folder, with doubles for every OS
// service. Nothing is loaded until the test loads it.
struct ProgramRun
{
    explicit ProgramRun(const QStringList &values = { "0", "1", "0", "11111" });

    // The text of a text box or a label of the main window; a missing one fails the calling test
    // and reads as empty.
    QString text(const char *name,
        const std::source_location &caller = std::source_location::current()) const;
    QString caption(const char *name,
        const std::source_location &caller = std::source_location::current()) const;

    int belowMenu() const;
    // The bar is built when first shown, so a start that never shows it has none to find.
    bool barVisible() const;

    // A first run builds the main window once the welcome window has drawn its first frame;
    // false when that frame never comes.
    bool loadFirstRun();
    bool drawWelcome();

    bool loadAndActivate();

    AppFolder folder;
    FakeServices fakes;
    FakeLockKeys lockKeys;
    FakeClock clock { fakes.timers, QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26, 500)) };
    FakeUrlOpener urls;
    FakeSysInfo sysInfo;
    SettingsStore settings { folder.path() };
    SecondaryWindows windows;
    MainWindow window { fakes.services, settings, windows, lockKeys, clock };

    // The main window's controls, found once each.
    MainControl<TextBox> characterInput { window, "Text1" };
    MainControl<TextBox> codeInput { window, "Text2" };
    MainControl<TextBox> result { window, "Text3" };
    MainControl<QWidget> numericWarning { window, "Lbl3" };
    MainControl<QAction> charToCodeAction { window, "MenuModeC2A" };
    MainControl<QAction> codeToCharAction { window, "MenuModeA2C" };
    MainControl<QAction> statusBarAction { window, "MenuViewStBar" };
    MainControl<QPushButton> exitButton { window, "CmdExit" };
};
