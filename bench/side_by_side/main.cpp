// Measures the program side by side with the reference window on a running X server, from
// outside both, and prints the figures as Markdown.

#include "report.h"
#include "scenarios.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {

const char usage[] = R"(usage: glyph_side_by_side --program PATH --reference PATH --x-server-pid PID
        [--runs N] [--idle-seconds S] [--keys N] [--deferred-keys N] [--only PREFIX]...
        [--launcher PATH]
Scenarios: startup_main, startup_status_bar, startup_first_run, idle_status_bar, idle_about,
latency_char_to_code, latency_code_to_char; --only runs those whose names start with PREFIX.
The X display is the one in DISPLAY. With --launcher (e.g. wine) both programs are started
through it, and the program runs from a copy of its whole folder. Progress goes to standard error, the report to standard
output.
)";

bool parse(int argc, char **argv, Options &options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char *value = argv[i + 1];
        if (name == "--program")
            options.program = value;
        else if (name == "--reference")
            options.reference = value;
        else if (name == "--x-server-pid")
            options.xServer = std::stoi(value);
        else if (name == "--runs")
            options.runs = std::stoi(value);
        else if (name == "--idle-seconds")
            options.idleSeconds = std::stoi(value);
        else if (name == "--keys")
            options.keys = std::stoi(value);
        else if (name == "--deferred-keys")
            options.deferredKeys = std::stoi(value);
        else if (name == "--only")
            options.only.push_back(value);
        else if (name == "--launcher")
            options.launcher = value;
        else
            return false;
    }
    const char *display = std::getenv("DISPLAY");
    options.display = display ? display : "";
    return argc % 2 == 1 && !options.program.empty() && !options.reference.empty()
        && options.xServer > 0 && !options.display.empty() && options.runs > 0
        && options.idleSeconds > 0 && options.keys > 0 && options.deferredKeys >= 0;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    try {
        if (!parse(argc, argv, options)) {
            std::cerr << usage;
            return 2;
        }
        writeReport(runScenarios(options), options, std::cout);
    } catch (const std::exception &error) {
        std::cerr << "glyph_side_by_side: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
