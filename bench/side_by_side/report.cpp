#include "report.h"

#include "statistics.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace {

using Value = std::optional<double>;

class Figures
{
public:
    explicit Figures(const Results &results)
        : m_results(results)
    { }

    const Series *series(const std::string &scenario, const std::string &subject) const
    {
        const auto found = m_results.find(scenario);
        if (found == m_results.end())
            return nullptr;
        const auto bySubject = found->second.find(subject);
        return bySubject == found->second.end() ? nullptr : &bySubject->second;
    }

    Value median(
        const std::string &scenario, const std::string &subject, const std::string &name) const
    {
        const Series *runs = series(scenario, subject);
        return runs ? ::median(runs->values(name)) : std::nullopt;
    }

    Value latency(const std::string &scenario, const std::string &subject, double p) const
    {
        const Series *runs = series(scenario, subject);
        return runs ? percentile(runs->latenciesMs, p) : std::nullopt;
    }

private:
    const Results &m_results;
};

std::string number(Value value, int decimals = 1)
{
    if (!value)
        return "n/a";
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, *value);
    return text;
}

Value ratio(Value program, Value reference)
{
    if (!program || !reference || *reference <= 0)
        return std::nullopt;
    return *program / *reference;
}

Value sum(Value a, Value b)
{
    return a && b ? Value(*a + *b) : std::nullopt;
}

void row(std::ostream &out, std::initializer_list<std::string> cells)
{
    out << "|";
    for (const std::string &cell : cells)
        out << " " << cell << " |";
    out << "\n";
}

void startUp(const Figures &figures, const Options &options, std::ostream &out)
{
    out << "### Start-up: exec to first frame on Xvfb (ms, medians of " << options.runs
        << " runs; CPU is what the program's threads ran until then)\n\n";
    row(out,
        { "Start", "Program mapped", "Program first frame", "Reference first frame",
            "Program / reference", "Program CPU", "Reference CPU", "CPU ratio" });
    row(out, { "---", "---:", "---:", "---:", "---:", "---:", "---:", "---:" });
    const std::pair<const char *, const char *> starts[] = {
        { "startup_main", "Main window" },
        { "startup_status_bar", "Main window with the status bar" },
        { "startup_first_run", "First run, to the welcome window" },
    };
    for (const auto &[scenario, title] : starts) {
        const auto median = [&](const char *subject, const char *name) {
            return figures.median(scenario, subject, name);
        };
        const Value frame = median("program", "frame_ms");
        const Value reference = median("reference", "frame_ms");
        const Value cpu = median("program", "frame_cpu_ms");
        const Value referenceCpu = median("reference", "frame_cpu_ms");
        row(out,
            { title, number(median("program", "mapped_ms")), number(frame), number(reference),
                number(ratio(frame, reference), 2), number(cpu), number(referenceCpu),
                number(ratio(cpu, referenceCpu), 2) });
    }
    out << "\nAfter the first run's welcome window, the main window was mapped "
        << number(figures.median("startup_first_run", "program", "handover_ms"), 0)
        << " ms after exec; the About window painted "
        << number(figures.median("startup_status_bar", "program", "about_frame_ms"))
        << " ms after Ctrl+D.\n\n";
}

void memory(const Figures &figures, const Options &options, std::ostream &out)
{
    out << "### Resident memory (MiB, medians of " << options.runs << " runs)\n\n";
    row(out,
        { "State", "Program peak", "Program resident", "Reference peak", "Reference resident",
            "Peak ratio", "Resident ratio" });
    row(out, { "---", "---:", "---:", "---:", "---:", "---:", "---:" });
    struct State
    {
        const char *scenario;
        const char *prefix;
        const char *title;
    };
    const State states[] = {
        { "startup_main", "", "Main window, after start-up" },
        { "startup_status_bar", "", "With the status bar, after start-up" },
        { "startup_status_bar", "about_open_", "About window open" },
        { "startup_status_bar", "about_closed_", "About window unloaded" },
        { "startup_first_run", "welcome_open_", "Welcome window open" },
        { "startup_first_run", "welcome_closed_", "Welcome window unloaded" },
    };
    for (const State &state : states) {
        const std::string prefix = state.prefix;
        const Value peak = figures.median(state.scenario, "program", prefix + "peak_mib");
        const Value resident = figures.median(state.scenario, "program", prefix + "rss_mib");
        const Value referencePeak = figures.median(state.scenario, "reference", "peak_mib");
        const Value referenceResident = figures.median(state.scenario, "reference", "rss_mib");
        row(out,
            { state.title, number(peak), number(resident), number(referencePeak),
                number(referenceResident), number(ratio(peak, referencePeak), 2),
                number(ratio(resident, referenceResident), 2) });
    }
    out << "\n";
}

Value coreShare(const Figures &figures, const std::string &scenario, const std::string &subject)
{
    const Value cpu = sum(
        figures.median(scenario, subject, "cpu_ms"), figures.median(scenario, subject, "x_cpu_ms"));
    return cpu ? Value(*cpu / 60000.0 * 100.0) : std::nullopt;
}

void idle(const Figures &figures, const Options &options, std::ostream &out)
{
    out << "### Idle cost per minute (medians of " << options.runs << " runs of "
        << options.idleSeconds << " s, scaled to 60 s)\n\n";
    row(out,
        { "State", "Program CPU ms", "Program wake-ups", "Program preempted", "X server CPU ms",
            "X server wake-ups", "Program + X, % of a core" });
    row(out, { "---", "---:", "---:", "---:", "---:", "---:", "---:" });
    const std::tuple<const char *, const char *, const char *> states[] = {
        { "idle_status_bar", "reference", "Reference window" },
        { "idle_status_bar", "program", "Main window with the status bar" },
        { "idle_about", "program", "About window with its logo gliding" },
    };
    for (const auto &[scenario, subject, title] : states) {
        const auto cell = [&](const char *name, int decimals) {
            return number(figures.median(scenario, subject, name), decimals);
        };
        row(out,
            { title, cell("cpu_ms", 1), cell("wakeups", 0), cell("preempted", 0),
                cell("x_cpu_ms", 1), cell("x_wakeups", 0),
                number(coreShare(figures, scenario, subject), 3) });
    }
    out << "\n";
}

void latency(const Figures &figures, const Options &options, std::ostream &out)
{
    out << "### Input latency: key press to the box painted anew (ms)\n\n";
    row(out, { "Mode", "Keys", "p50", "p99" });
    row(out, { "---", "---:", "---:", "---:" });
    const std::tuple<const char *, const char *, const char *> modes[] = {
        { "latency_char_to_code", "reference", "Reference, echo in its input box" },
        { "latency_char_to_code", "program", "Character to code, result box" },
        { "latency_code_to_char", "program", "Code to character, result box, less 300 ms" },
    };
    for (const auto &[scenario, subject, title] : modes) {
        const Series *runs = figures.series(scenario, subject);
        row(out,
            { title, runs ? std::to_string(runs->latenciesMs.size()) : "0",
                number(figures.latency(scenario, subject, 50), 2),
                number(figures.latency(scenario, subject, 99), 2) });
    }
    out << "\nKeys per mode asked for: " << options.keys
        << " (code to character: " << options.deferredKeys << "), in " << options.runs
        << " blocks interleaved with the "
        << "reference.\n\n";
}

std::string verdict(Value measured, double limit, bool strictlyBelow = false)
{
    if (!measured)
        return "n/a";
    const bool met = strictlyBelow ? *measured < limit : *measured <= limit;
    if (met)
        return "met";
    // A miss that two decimals would show as 0.00 still gets its size told.
    const double miss = *measured - limit;
    int decimals = 2;
    while (decimals < 4 && miss < 0.5 * std::pow(10.0, -decimals))
        ++decimals;
    return "missed by " + number(miss, decimals);
}

void targets(const Figures &figures, std::ostream &out)
{
    out << "### Targets\n\n";
    row(out, { "Target", "Measured", "Verdict" });
    row(out, { "---", "---:", "---" });
    const auto frameRatio = [&](const char *scenario) {
        return ratio(figures.median(scenario, "program", "frame_ms"),
            figures.median(scenario, "reference", "frame_ms"));
    };
    const Value startRatio = frameRatio("startup_main");
    row(out,
        { "Start-up to the main window's first frame, ratio <= 1.00", number(startRatio, 2),
            verdict(startRatio, 1.00) });
    const Value welcomeRatio = frameRatio("startup_first_run");
    row(out,
        { "First run to the welcome window's first frame, ratio <= 1.15", number(welcomeRatio, 2),
            verdict(welcomeRatio, 1.15) });
    const Value peakRatio = ratio(figures.median("startup_main", "program", "peak_mib"),
        figures.median("startup_main", "reference", "peak_mib"));
    row(out,
        { "Peak resident memory, ratio <= 1.05", number(peakRatio, 2), verdict(peakRatio, 1.05) });
    const auto idleRatio = [&](const char *name, const char *serverName) {
        return ratio(sum(figures.median("idle_status_bar", "program", name),
                         figures.median("idle_status_bar", "program", serverName)),
            sum(figures.median("idle_status_bar", "reference", name),
                figures.median("idle_status_bar", "reference", serverName)));
    };
    const Value idleCpu = idleRatio("cpu_ms", "x_cpu_ms");
    row(out,
        { "Idle with the status bar, CPU (program + X) ratio <= 1.00", number(idleCpu, 2),
            verdict(idleCpu, 1.00) });
    const Value idleWakeUps = idleRatio("wakeups", "x_wakeups");
    row(out,
        { "Idle with the status bar, wake-ups (program + X) ratio <= 1.00", number(idleWakeUps, 2),
            verdict(idleWakeUps, 1.00) });
    const Value about = coreShare(figures, "idle_about", "program");
    row(out,
        { "About window gliding, % of a core with X < 2", number(about, 3),
            verdict(about, 2.0, true) });
    const Value p99 = figures.latency("latency_char_to_code", "program", 99);
    row(out, { "Character-to-code latency p99 < 16 ms", number(p99, 2), verdict(p99, 16.0, true) });
    out << "\n";
}

void lostRuns(const Results &results, std::ostream &out)
{
    bool any = false;
    for (const auto &[scenario, subjects] : results) {
        for (const auto &[subject, series] : subjects) {
            if (series.failure.empty())
                continue;
            if (!std::exchange(any, true))
                out << "Runs lost or scenarios not run:\n\n";
            out << "- " << scenario << ", " << subject << ": " << series.failure << "\n";
        }
    }
    if (any)
        out << "\n";
}

} // namespace

void writeReport(const Results &results, const Options &options, std::ostream &out)
{
    const Figures figures(results);
    startUp(figures, options, out);
    memory(figures, options, out);
    idle(figures, options, out);
    latency(figures, options, out);
    targets(figures, out);
    lostRuns(results, out);
}
