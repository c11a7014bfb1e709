#include "timing.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double wallMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double ms(const timeval& value) {
    return double(value.tv_sec) * 1e3 + double(value.tv_usec) / 1e3;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

Timing timeInProcess(const std::function<void()>& work) {
    const double cpuStart = processCpuMs();
    const double wallStart = wallMs();
    work();
    return {processCpuMs() - cpuStart, wallMs() - wallStart};
}

Timing timeCommand(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    const double wallStart = wallMs();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + command.front());
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        throw std::runtime_error(command.front() + " failed");
    }
    return {ms(usage.ru_utime) + ms(usage.ru_stime), wallMs() - wallStart};
}

Medians mediansOf(const std::vector<Timing>& timings) {
    std::vector<double> cpu;
    std::vector<double> wall;
    for (const Timing& timing : timings) {
        cpu.push_back(timing.cpuMs);
        wall.push_back(timing.wallMs);
    }
    return {median(cpu), median(wall)};
}
