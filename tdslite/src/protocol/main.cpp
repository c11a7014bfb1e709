// tdslite: a small SQL Server stand-in speaking TDS 7.4 over TCP, storing its databases
// as SQLite files. Prints "listening on ADDR:PORT" first, then serves until SIGTERM/SIGINT.
#include "code_page.h"
#include "command_line.h"
#include "server.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <thread>

namespace {

using namespace tdslite;
using namespace tdslite::protocol;

sigset_t blockStopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    // Blocked before any thread starts, so that only sigwait below ever sees them.
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return signals;
}

int run(const CommandLine& line) {
    auto codePage = codePageForCollation(line.collation);
    if (!codePage) {
        std::cerr << "tdslite: unsupported collation '" << line.collation
                  << "' (Chinese_PRC_* and SQL_Latin1_General_CP1_* are known)\n";
        return 2;
    }
    std::string dataDir = line.dataDir.empty() ? defaultDataDir() : line.dataDir;
    std::error_code error;
    std::filesystem::create_directories(dataDir, error);
    if (error || !std::filesystem::is_directory(dataDir)) {
        std::cerr << "tdslite: cannot use data directory '" << dataDir << "': " << error.message()
                  << "\n";
        return 1;
    }
    sigset_t stopSignals = blockStopSignals();
    auto engine = makeEngine(EngineConfig{dataDir, effectiveLogins(line.logins), line.collation});
    WireSettings wire{{engine->collationLcid(), engine->collationSortId()}, *codePage};
    Server server(*engine, wire);
    try {
        server.listen(line.bindAddress, line.port);
    } catch (const std::runtime_error& fault) {
        std::cerr << "tdslite: " << fault.what() << "\n";
        return 1;
    }
    std::printf("listening on %s:%u\n", line.bindAddress.c_str(),
                static_cast<unsigned>(server.port()));
    std::fflush(stdout);
    std::thread acceptor([&server] { server.serve(); });
    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    acceptor.join();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (line.showHelp) {
            std::cout << kUsage;
            return 0;
        }
        return run(line);
    } catch (const UsageError& fault) {
        std::cerr << "tdslite: " << fault.what() << "\n" << kUsage;
        return 2;
    } catch (const std::exception& fault) {
        std::cerr << "tdslite: " << fault.what() << "\n";
        return 1;
    }
}
