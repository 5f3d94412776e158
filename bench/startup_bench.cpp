// What a start costs before the user sees the main window: creating it, reading the four
// settings files and painting it once, on the offscreen platform.

#include "app/main_window.h"
#include "app/secondary_windows.h"
#include "app_folder.h"
#include "platform/clock.h"
#include "platform/high_contrast.h"
#include "platform/lock_key_state.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/services.h"
#include "platform/system_beep.h"
#include "platform/window_timer.h"
#include "settings/settings_store.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

void startMainWindow(benchmark::State &state)
{
    AppFolder folder({ "0", "1", "1", "11111" });
    QtTimerFactory timers;
    QtMessageBox messages;
    QtSystemBeep beep;
    RealProcessControl process;
    const std::unique_ptr<HighContrast> highContrast = createHighContrast();
    Services services { timers, messages, beep, process, *highContrast };
    NoLockKeyState lockKeys;
    SystemClock clock;
    SettingsStore settings(folder.path());
    for (auto _ : state) {
        SecondaryWindows windows;
        MainWindow window(services, settings, windows, lockKeys, clock);
        window.load();
        benchmark::DoNotOptimize(window.grab());
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["max_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(startMainWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The figures must not depend on a display being at hand.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
