// Timings taken on a machine shared with other work: CPU time is what the code itself costs,
// wall time is shown beside it.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct Timing {
    double cpuMs = 0;
    double wallMs = 0;
};

// The whole process's CPU time, so that work handed to other threads counts too.
Timing timeInProcess(const std::function<void()>& work);

// A child process's own CPU time, as the kernel accounts it, and the wall time to its end.
Timing timeCommand(const std::vector<std::string>& command);

struct Medians {
    double cpuMs;
    double wallMs;
};

Medians mediansOf(const std::vector<Timing>& timings);
