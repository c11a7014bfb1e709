#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace tdslite::odbctest {
namespace {

using Clock = std::chrono::steady_clock;

pid_t spawn(const std::vector<std::string>& arguments, int out, int err) {
    std::vector<std::string> full{TDSLITE_EXECUTABLE};
    full.insert(full.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : full) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    long limit = sysconf(_SC_OPEN_MAX);
    pid_t child = fork();
    if (child == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        for (long fd = STDERR_FILENO + 1; fd < limit; ++fd) {
            close(static_cast<int>(fd));
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

// Reads both pipes until they close or the deadline passes.
void drain(int out, int err, Finished& finished, Clock::time_point deadline) {
    pollfd fds[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    std::string* sinks[2] = {&finished.standardOutput, &finished.standardError};
    int open = 2;
    while (open > 0 && Clock::now() < deadline) {
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (poll(fds, 2, static_cast<int>(left)) <= 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd >= 0 && fds[i].revents != 0) {
                char buffer[512];
                ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
                if (got <= 0) {
                    fds[i].fd = -1;
                    --open;
                } else {
                    sinks[i]->append(buffer, static_cast<std::size_t>(got));
                }
            }
        }
    }
}

int waitUntil(pid_t pid, Clock::time_point deadline) {
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(5000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

Finished runTdslite(const std::vector<std::string>& arguments) {
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        throw std::runtime_error("pipe failed");
    }
    pid_t child = spawn(arguments, out[1], err[1]);
    close(out[1]);
    close(err[1]);
    Finished finished;
    auto deadline = Clock::now() + std::chrono::seconds(10);
    drain(out[0], err[0], finished, deadline);
    close(out[0]);
    close(err[0]);
    finished.exitCode = waitUntil(child, deadline);
    return finished;
}

RunningTdslite::RunningTdslite(const std::vector<std::string>& arguments) {
    int out[2];
    if (pipe(out) != 0) {
        throw std::runtime_error("pipe failed");
    }
    int devNull = open("/dev/null", O_WRONLY);
    pid_ = spawn(arguments, out[1], devNull);
    close(out[1]);
    close(devNull);
    auto deadline = Clock::now() + std::chrono::seconds(10);
    char c = 0;
    pollfd wait{out[0], POLLIN, 0};
    while (Clock::now() < deadline && poll(&wait, 1, 100) >= 0) {
        if (wait.revents == 0) {
            continue;
        }
        if (read(out[0], &c, 1) != 1 || c == '\n') {
            break;
        }
        firstLine_.push_back(c);
    }
    close(out[0]);
}

RunningTdslite::~RunningTdslite() {
    if (pid_ > 0) {
        stopWith(SIGKILL);
    }
}

int RunningTdslite::stopWith(int signal) {
    kill(pid_, signal);
    int code = waitUntil(pid_, Clock::now() + std::chrono::seconds(10));
    pid_ = -1;
    return code;
}

} // namespace tdslite::odbctest
