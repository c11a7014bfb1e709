// Runs the tdslite executable directly, for tests of its command line and signals.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tdslite::odbctest {

struct Finished {
    int exitCode = -1; // -1: did not exit in time (it was killed)
    std::string standardOutput;
    std::string standardError;
};

// Runs tdslite with the arguments and waits at most 10 s for it to exit.
Finished runTdslite(const std::vector<std::string>& arguments);

// A tdslite left running; its first output line is read at start.
class RunningTdslite {
public:
    explicit RunningTdslite(const std::vector<std::string>& arguments);
    ~RunningTdslite();
    const std::string& firstLine() const { return firstLine_; }
    // Sends the signal and returns the exit code, or -1 if it did not exit within 10 s.
    int stopWith(int signal);

private:
    pid_t pid_ = -1;
    std::string firstLine_;
};

} // namespace tdslite::odbctest
