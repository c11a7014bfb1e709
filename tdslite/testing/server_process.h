// Starts a tdslite server in a child process for a test, on a free port and a data
// directory of its own. Plain C++ and POSIX, so that Qt and non-Qt tests can share it.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tdslite::testing {

struct ServerOptions {
    std::vector<std::string>
        extraArgs; // e.g.
                   // {"--login","reader:pw:reader","--collation","SQL_Latin1_General_CP1_CI_AS"}
    std::string dataDir; // empty: a fresh temporary directory, removed by the destructor
};

class ServerProcess {
public:
    // Starts TDSLITE_EXECUTABLE --port 0 --data <dir> ...; waits (at most 10 s) for
    // "listening on"; throws std::runtime_error on failure.
    explicit ServerProcess(ServerOptions options = {});
    ~ServerProcess(); // SIGTERM, wait, remove the temporary directory if it made one
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const;
    std::string host() const;       // "127.0.0.1"
    std::string dataSource() const; // "127.0.0.1,<port>"
    const std::string& dataDir() const;
    void kill9();   // SIGKILL, reap
    void restart(); // start again on the same data dir (new port)
    void stop();    // SIGTERM, reap

private:
    void start();
    void signalAndReap(int signal);

    ServerOptions options_;
    std::string dataDir_;
    bool ownsDataDir_ = false;
    pid_t pid_ = -1;
    int port_ = 0;
};

} // namespace tdslite::testing
