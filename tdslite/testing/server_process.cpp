#include "server_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace tdslite::testing {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kStopTimeout = std::chrono::seconds(10);

std::string makeTemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tdslite-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error(std::string("cannot create a temporary directory: ") +
                                 std::strerror(errno));
    }
    return pattern;
}

// Reads the child's first output line, giving up at the deadline or when it exits.
std::string readFirstLine(int fd, std::chrono::steady_clock::time_point deadline) {
    std::string line;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            throw std::runtime_error("tdslite did not report its port within 10 s");
        }
        pollfd wait{fd, POLLIN, 0};
        int ready = poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            continue;
        }
        char c = 0;
        ssize_t got = read(fd, &c, 1);
        if (got <= 0) {
            throw std::runtime_error("tdslite exited before listening (output so far: '" + line +
                                     "')");
        }
        if (c == '\n') {
            return line;
        }
        line.push_back(c);
    }
}

int portFromListeningLine(const std::string& line) {
    const std::string prefix = "listening on ";
    auto colon = line.rfind(':');
    if (line.rfind(prefix, 0) != 0 || colon == std::string::npos) {
        throw std::runtime_error("unexpected first line from tdslite: '" + line + "'");
    }
    return std::atoi(line.c_str() + colon + 1);
}

// The server must not inherit the test's other descriptors: a client socket held open by
// a child would hide that client's disconnect from the server it talks to.
void closeInheritedDescriptors() {
    long limit = sysconf(_SC_OPEN_MAX);
    for (int fd = STDERR_FILENO + 1; fd < (limit > 0 ? limit : 1024); ++fd) {
        close(fd);
    }
}

std::vector<char*> argumentPointers(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return argv;
}

// Runs in the forked child of a possibly multi-threaded test: no allocation from here on.
[[noreturn]] void execServer(char* const* argv, int stdoutFd) {
    dup2(stdoutFd, STDOUT_FILENO);
    closeInheritedDescriptors();
    execv(argv[0], argv);
    _exit(127);
}

} // namespace

ServerProcess::ServerProcess(ServerOptions options) : options_(std::move(options)) {
    if (options_.dataDir.empty()) {
        dataDir_ = makeTemporaryDirectory();
        ownsDataDir_ = true;
    } else {
        dataDir_ = options_.dataDir;
    }
    try {
        start();
    } catch (...) {
        if (ownsDataDir_) {
            std::error_code ignored;
            std::filesystem::remove_all(dataDir_, ignored);
        }
        throw;
    }
}

ServerProcess::~ServerProcess() {
    stop();
    if (ownsDataDir_) {
        std::error_code ignored;
        std::filesystem::remove_all(dataDir_, ignored);
    }
}

void ServerProcess::start() {
    std::vector<std::string> arguments{TDSLITE_EXECUTABLE, "--port", "0", "--data", dataDir_};
    arguments.insert(arguments.end(), options_.extraArgs.begin(), options_.extraArgs.end());
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
    }
    std::vector<char*> argv = argumentPointers(arguments);
    pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        throw std::runtime_error(std::string("cannot start tdslite: ") + std::strerror(errno));
    }
    if (child == 0) {
        close(pipeEnds[0]);
        execServer(argv.data(), pipeEnds[1]);
    }
    close(pipeEnds[1]);
    pid_ = child;
    try {
        port_ = portFromListeningLine(
            readFirstLine(pipeEnds[0], std::chrono::steady_clock::now() + kStartTimeout));
    } catch (...) {
        close(pipeEnds[0]);
        signalAndReap(SIGKILL);
        throw;
    }
    // The rest of its output is not read; closing our end makes its later writes fail
    // harmlessly instead of filling a pipe nobody drains.
    close(pipeEnds[0]);
}

void ServerProcess::signalAndReap(int signal) {
    if (pid_ <= 0) {
        return;
    }
    kill(pid_, signal);
    auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        usleep(5000);
    }
    pid_ = -1;
    port_ = 0;
}

int ServerProcess::port() const {
    return port_;
}

std::string ServerProcess::host() const {
    return "127.0.0.1";
}

std::string ServerProcess::dataSource() const {
    return host() + "," + std::to_string(port_);
}

const std::string& ServerProcess::dataDir() const {
    return dataDir_;
}

void ServerProcess::kill9() {
    signalAndReap(SIGKILL);
}

void ServerProcess::restart() {
    signalAndReap(SIGTERM);
    start();
}

void ServerProcess::stop() {
    signalAndReap(SIGTERM);
}

} // namespace tdslite::testing
