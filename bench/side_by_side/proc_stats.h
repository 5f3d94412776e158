#pragma once

#include <sys/types.h>

// What the kernel accounts to a process, read from /proc.

struct Memory
{
    double peakMiB = 0; // VmHWM: the most it was ever resident
    double residentMiB = 0; // VmRSS: resident now
};

// Sums over every thread, because a Qt program reads its X connection on a thread of its own.
struct CpuUse
{
    double cpuMs = 0; // time on a CPU, from the scheduler's nanosecond account
    double wakeUps = 0; // voluntary context switches: each one is a sleep that ended
    double preempted = 0; // involuntary context switches: another task took the CPU

    CpuUse operator-(const CpuUse &earlier) const
    {
        return { cpuMs - earlier.cpuMs, wakeUps - earlier.wakeUps, preempted - earlier.preempted };
    }
};

Memory readMemory(pid_t pid);
CpuUse readCpuUse(pid_t pid);
