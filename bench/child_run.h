// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of one piece of work in a child process, for the benchmarks: wall
// time, CPU time of the child and its peak resident size; and the best of
// three runs, the machine being shared with other work.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace trafikon::bench {

struct Run {
    double seconds = 0;     // wall clock
    double cpuSeconds = 0;  // user + system time of the child
    long peakKb = 0;
};

inline double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Runs `work` in a child process; returns its wall and CPU time and peak resident size.
template <typename Work>
Run InChild(Work work) {
    const double start = Now();
    const pid_t pid = ::fork();
    if (pid == 0)
        std::_Exit(work());
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    Run run;
    run.seconds = Now() - start;
    run.peakKb = usage.ru_maxrss;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "child failed\n");
        std::exit(1);
    }
    return run;
}

// The best of three runs, the disk being shared with other work.
template <typename F>
Run Best(F f) {
    Run best;
    for (int i = 0; i < 3; ++i) {
        Run r = f();
        if (i == 0 || r.seconds < best.seconds)
            best.seconds = r.seconds;
        if (i == 0 || r.cpuSeconds < best.cpuSeconds)
            best.cpuSeconds = r.cpuSeconds;
        best.peakKb = std::max(best.peakKb, r.peakKb);
    }
    return best;
}

}  // namespace trafikon::bench
