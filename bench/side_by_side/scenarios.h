#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

struct Options
{
    std::string program;
    std::string reference;
    std::string display;
    pid_t xServer = 0;
    int runs = 9;
    int idleSeconds = 60;
    int keys = 10000;
    // Every code-to-character sample waits out the 300 ms deferral, so it has its own count.
    int deferredKeys = 10000;
    // Names or name prefixes of the scenarios to run; all of them when empty.
    std::vector<std::string> only;
    // What starts both programs, e.g. wine for Windows programs; they start themselves when empty.
    std::string launcher;

    bool wants(const std::string &scenario) const
    {
        for (const std::string &prefix : only) {
            if (scenario.compare(0, prefix.size(), prefix) == 0)
                return true;
        }
        return only.empty();
    }
};

// One run's figures by name, e.g. "frame_ms" or "rss_mib".
using Sample = std::map<std::string, double>;

// The runs of one program in one scenario, and why runs were lost if some were.
struct Series
{
    std::vector<Sample> samples;
    std::vector<double> latenciesMs;
    std::string failure;

    std::vector<double> values(const std::string &name) const
    {
        std::vector<double> found;
        for (const Sample &sample : samples) {
            if (const auto value = sample.find(name); value != sample.end())
                found.push_back(value->second);
        }
        return found;
    }
};

// Series by scenario and program, e.g. results["startup_main"]["program"].
using Results = std::map<std::string, std::map<std::string, Series>>;

// Runs every scenario, the program's runs interleaved with the reference's so that a change in
// the machine's load falls on both.
Results runScenarios(const Options &options);
