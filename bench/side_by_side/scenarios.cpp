#include "scenarios.h"

#include "child_process.h"
#include "proc_stats.h"
#include "x_session.h"

#include "settings/settings_files.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

struct RunFailed : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// The settings files' values in their order: first run, mode, status bar shown, panel mask.
using SettingsValues = std::array<const char *, std::size(settingsFileNames)>;
constexpr SettingsValues mainWindowOnly { "0", "1", "0", "11111" };
constexpr SettingsValues withStatusBar { "0", "1", "1", "11111" };
constexpr SettingsValues firstRun { "1", "1", "1", "11111" };
constexpr SettingsValues codeToCharacter { "0", "0", "1", "11111" };

// Places of the boxes in the main window and the reference alike, in window coordinates with y
// counted up from the bottom edge, which lies below the 20 px status bar: the menu bar above
// them is as tall as the font makes it.
constexpr ScreenRect inputBox { 336, -314, 273, 41 };
constexpr ScreenRect resultBox { 336, -218, 273, 41 };
constexpr auto deferral = 300ms;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The program reads its settings beside its executable, so it runs from a copy in a folder of
// its own and the build's settings stay as they are. A Windows program brings its whole folder,
// whose DLLs it needs.
class ProgramFolder
{
public:
    ProgramFolder(const std::string &program, bool wholeFolder)
        : m_name(fs::path(program).filename())
    {
        std::string pattern = (fs::temp_directory_path() / "glyph-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        m_dir = pattern;
        if (wholeFolder)
            fs::copy(fs::path(program).parent_path(), m_dir, fs::copy_options::recursive);
        else
            fs::copy_file(program, executable());
        fs::create_directories(m_dir / settingsFolderName);
    }
    ~ProgramFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    std::string executable() const { return (m_dir / m_name).string(); }
    std::string log() const { return (m_dir / "run.log").string(); }

    void lay(const SettingsValues &values) const
    {
        for (std::size_t i = 0; i < values.size(); ++i) {
            std::ofstream file(m_dir / settingsFolderName / settingsFileNames[i], std::ios::binary);
            file << values[i] << "\r\n";
        }
    }

private:
    fs::path m_name;
    fs::path m_dir;
};

class Bench
{
public:
    explicit Bench(const Options &options)
        : m_options(options)
        , m_x(options.display)
        , m_folder(options.program, !options.launcher.empty())
    { }

    Results run();

private:
    // One start of the program (with its settings) or of the reference (without).
    struct Started
    {
        Clock::time_point exec;
        std::unique_ptr<ChildProcess> process;
        XSession::WindowId window = 0;
        Sample sample;
    };
    Started start(const SettingsValues *files);
    void settle(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }
    void recordMemory(const Started &run, Sample &sample, const std::string &prefix);

    Sample startUp(const SettingsValues *files);
    Sample startUpAndOpenAbout();
    Sample firstRunStart();
    XSession::WindowId openAbout(Started &run);
    Sample idle(const SettingsValues *files, bool withAbout);
    enum class Typing { Echo, CharToCode, CodeToChar };
    std::vector<double> typeKeys(Typing typing, int keys);

    using Run = std::function<void(Series &)>;
    void interleave(const std::string &scenario, Results &results, const Run &programRun,
        const Run &referenceRun);
    void report(const std::string &scenario, const std::string &subject, int run)
    {
        std::cerr << "  " << scenario << ": " << subject << " run " << run << "/" << m_options.runs
                  << std::endl;
    }

    const Options &m_options;
    XSession m_x;
    ProgramFolder m_folder;
    std::chrono::milliseconds m_settleTime = 1000ms;
};

Bench::Started Bench::start(const SettingsValues *files)
{
    m_x.watchPaints(true);
    m_x.discardEvents();
    if (files)
        m_folder.lay(*files);
    Started run;
    const std::vector<std::string> environment { "DISPLAY=" + m_options.display,
        "QT_QPA_PLATFORM=xcb" };
    run.exec = Clock::now();
    run.process
        = std::make_unique<ChildProcess>(files ? m_folder.executable() : m_options.reference,
            environment, m_folder.log(), m_options.launcher);
    const auto mapped = m_x.waitForMap(run.exec + 20s);
    if (!mapped)
        throw RunFailed(run.process->isRunning() ? "no window was mapped within 20 s"
                                                 : "the program ended before showing a window");
    const auto painted = m_x.waitForPaint(mapped->window, mapped->at + 10s);
    if (!painted)
        throw RunFailed("a window was mapped but never painted");
    run.window = mapped->window;
    run.sample["mapped_ms"] = msBetween(run.exec, mapped->at);
    run.sample["frame_ms"] = msBetween(run.exec, *painted);
    // Less at the mercy of the machine's load than the wall-clock figures.
    run.sample["frame_cpu_ms"] = readCpuUse(run.process->pid()).cpuMs;
    return run;
}

void Bench::recordMemory(const Started &run, Sample &sample, const std::string &prefix)
{
    const Memory memory = readMemory(run.process->pid());
    sample[prefix + "rss_mib"] = memory.residentMiB;
    sample[prefix + "peak_mib"] = memory.peakMiB;
}

Sample Bench::startUp(const SettingsValues *files)
{
    Started run = start(files);
    m_x.watchPaints(false);
    settle(m_settleTime);
    recordMemory(run, run.sample, "");
    return run.sample;
}

// Ctrl+D in the active main window, as a user would open it. Returns 0 when nothing opens.
XSession::WindowId Bench::openAbout(Started &run)
{
    m_x.focus(run.window);
    m_x.waitForQuiet(300ms, Clock::now() + 2s);
    const Clock::time_point pressed = m_x.pressKey("d", true);
    const auto about = m_x.waitForMap(pressed + 3s, run.window);
    if (!about)
        return 0;
    const auto painted = m_x.waitForPaint(about->window, about->at + 10s);
    if (!painted)
        throw RunFailed("the About window was mapped but never painted");
    run.sample["about_frame_ms"] = msBetween(pressed, *painted);
    return about->window;
}

Sample Bench::startUpAndOpenAbout()
{
    Started run = start(&withStatusBar);
    settle(m_settleTime);
    recordMemory(run, run.sample, "");
    const XSession::WindowId about = openAbout(run);
    if (!about)
        return run.sample;
    settle(m_settleTime);
    recordMemory(run, run.sample, "about_open_");
    m_x.askToClose(about);
    if (!m_x.waitForUnmap(about, Clock::now() + 5s))
        throw RunFailed("the About window did not close when asked to");
    m_x.watchPaints(false);
    settle(m_settleTime);
    recordMemory(run, run.sample, "about_closed_");
    return run.sample;
}

// The first window of a first run is the welcome window; the main window follows when its
// animation ends, however long that takes.
Sample Bench::firstRunStart()
{
    Started run = start(&firstRun);
    settle(m_settleTime / 2);
    recordMemory(run, run.sample, "welcome_open_");
    const auto main = m_x.waitForMap(run.exec + 60s, run.window);
    if (!main)
        throw RunFailed("no main window within 60 s of a first-run start");
    if (!m_x.waitForPaint(main->window, main->at + 10s))
        throw RunFailed("the main window was mapped after the welcome window but never painted");
    run.sample["handover_ms"] = msBetween(run.exec, main->at);
    m_x.watchPaints(false);
    settle(m_settleTime);
    recordMemory(run, run.sample, "welcome_closed_");
    return run.sample;
}

Sample Bench::idle(const SettingsValues *files, bool withAbout)
{
    Started run = start(files);
    // An idle window on a desktop is the active one, with its caret blinking.
    m_x.focus(run.window);
    if (withAbout && !openAbout(run))
        throw RunFailed("Ctrl+D opened no About window");
    m_x.watchPaints(false);
    settle(2 * m_settleTime);
    const CpuUse before = readCpuUse(run.process->pid());
    const CpuUse serverBefore = readCpuUse(m_options.xServer);
    const Clock::time_point from = Clock::now();
    settle(std::chrono::seconds(m_options.idleSeconds));
    const CpuUse used = readCpuUse(run.process->pid()) - before;
    const CpuUse serverUsed = readCpuUse(m_options.xServer) - serverBefore;
    const double perMinute = 60000.0 / msBetween(from, Clock::now());
    Sample sample;
    sample["cpu_ms"] = used.cpuMs * perMinute;
    sample["wakeups"] = used.wakeUps * perMinute;
    sample["preempted"] = used.preempted * perMinute;
    sample["x_cpu_ms"] = serverUsed.cpuMs * perMinute;
    sample["x_wakeups"] = serverUsed.wakeUps * perMinute;
    return sample;
}

// Key press to the box that shows the result painted anew. Each key changes that box: letters
// cycle so that no two in a row have the same code, digits alternate with Backspace. The
// reference has no result box, so its figure is the echo in its input box, Qt's own floor.
std::vector<double> Bench::typeKeys(Typing typing, int keys)
{
    static const char *const letters[] = { "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k",
        "l", "m", "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z" };
    static const char *const digits[] = { "1", "2", "3", "4", "5", "6", "7", "8", "9" };
    const auto keyAt = [typing](int i) {
        if (typing == Typing::CharToCode)
            return letters[i % 26];
        if (i % 2)
            return "BackSpace";
        return typing == Typing::Echo ? letters[(i / 2) % 26] : digits[(i / 2) % 9];
    };
    const double deferredMs = typing == Typing::CodeToChar
        ? std::chrono::duration<double, std::milli>(deferral).count()
        : 0;

    Started run = start(typing == Typing::Echo ? nullptr
            : typing == Typing::CharToCode     ? &withStatusBar
                                               : &codeToCharacter);
    m_x.focus(run.window);
    m_x.waitForQuiet(300ms, Clock::now() + 2s);
    const ScreenRect watched = typing == Typing::Echo ? inputBox : resultBox;
    std::vector<double> latencies;
    for (int i = 0; i < keys; ++i) {
        const Clock::time_point pressed = m_x.pressKey(keyAt(i));
        const auto painted = m_x.waitForPaint(run.window, pressed + deferral + 5s, watched);
        if (!painted)
            throw RunFailed(std::string("no paint in the watched box after key ") + keyAt(i));
        latencies.push_back(msBetween(pressed, *painted) - deferredMs);
        // The rest of the frame would otherwise pass for the next key's.
        m_x.waitForQuiet(3ms, Clock::now() + 1s);
    }
    return latencies;
}

void Bench::interleave(
    const std::string &scenario, Results &results, const Run &programRun, const Run &referenceRun)
{
    if (!m_options.wants(scenario))
        return;
    std::cerr << scenario << std::endl;
    for (int i = 0; i < m_options.runs; ++i) {
        // Alternating who goes first keeps a steady drift from always favouring one of them.
        for (int turn = 0; turn < 2; ++turn) {
            const bool program = (i + turn) % 2 == 0;
            const std::string subject = program ? "program" : "reference";
            report(scenario, subject, i + 1);
            Series &series = results[scenario][subject];
            try {
                (program ? programRun : referenceRun)(series);
            } catch (const RunFailed &failure) {
                series.failure = failure.what();
                std::cerr << "    lost: " << failure.what() << std::endl;
            }
        }
    }
}

Results Bench::run()
{
    Results results;
    const Run reference = [this](Series &s) { s.samples.push_back(startUp(nullptr)); };
    interleave(
        "startup_main", results,
        [this](Series &s) { s.samples.push_back(startUp(&mainWindowOnly)); }, reference);
    interleave(
        "startup_status_bar", results,
        [this](Series &s) { s.samples.push_back(startUpAndOpenAbout()); }, reference);
    interleave(
        "startup_first_run", results, [this](Series &s) { s.samples.push_back(firstRunStart()); },
        reference);

    const Run idleReference = [this](Series &s) { s.samples.push_back(idle(nullptr, false)); };
    interleave(
        "idle_status_bar", results,
        [this](Series &s) { s.samples.push_back(idle(&withStatusBar, false)); }, idleReference);
    const auto startedWithBar = results.find("startup_status_bar");
    if (startedWithBar != results.end()
        && startedWithBar->second["program"].values("about_frame_ms").empty())
        results["idle_about"]["program"].failure = "Ctrl+D opened no About window";
    else
        interleave(
            "idle_about", results,
            [this](Series &s) { s.samples.push_back(idle(&withStatusBar, true)); }, idleReference);

    const int blocks = m_options.runs;
    const auto typing = [this, blocks](Typing typing, int keys) {
        return [this, typing, keys, blocks](Series &s) {
            const std::vector<double> block = typeKeys(typing, (keys + blocks - 1) / blocks);
            s.latenciesMs.insert(s.latenciesMs.end(), block.begin(), block.end());
        };
    };
    interleave("latency_char_to_code", results, typing(Typing::CharToCode, m_options.keys),
        typing(Typing::Echo, m_options.keys));
    if (m_options.deferredKeys > 0 && m_options.wants("latency_code_to_char")) {
        std::cerr << "latency_code_to_char" << std::endl;
        Series &series = results["latency_code_to_char"]["program"];
        for (int i = 0; i < blocks; ++i) {
            report("latency_code_to_char", "program", i + 1);
            try {
                typing(Typing::CodeToChar, m_options.deferredKeys)(series);
            } catch (const RunFailed &failure) {
                series.failure = failure.what();
            }
        }
    }
    return results;
}

} // namespace

Results runScenarios(const Options &options)
{
    Bench bench(options);
    return bench.run();
}
