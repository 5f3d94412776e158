#include "proc_stats.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The value of a "Name:  value" line of a /proc status file, 0 when it is missing.
double statusField(const std::filesystem::path &status, const std::string &name)
{
    std::ifstream in(status);
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, name.size() + 1, name + ":") == 0)
            return std::stod(line.substr(name.size() + 1));
    }
    return 0;
}

} // namespace

Memory readMemory(pid_t pid)
{
    const std::filesystem::path status = "/proc/" + std::to_string(pid) + "/status";
    return { statusField(status, "VmHWM") / 1024.0, statusField(status, "VmRSS") / 1024.0 };
}

// A thread that ends between two readings takes its share with it; the programs measured here
// keep their threads for their whole life.
CpuUse readCpuUse(pid_t pid)
{
    CpuUse use;
    std::error_code error;
    for (const auto &task :
        std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double runNs = 0;
        if (schedstat >> runNs)
            use.cpuMs += runNs / 1e6;
        use.wakeUps += statusField(task.path() / "status", "voluntary_ctxt_switches");
        use.preempted += statusField(task.path() / "status", "nonvoluntary_ctxt_switches");
    }
    return use;
}
