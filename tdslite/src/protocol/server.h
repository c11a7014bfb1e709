// The listening socket and a thread per client connection.
#pragma once

#include "connection.h"
#include "engine.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>

namespace tdslite::protocol {

class Server {
public:
    Server(Engine& engine, WireSettings wire, ConnectionLimits limits = {});
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Throws std::runtime_error naming the address when it cannot be bound.
    void listen(const std::string& address, std::uint16_t port);
    std::uint16_t port() const { return port_; }

    // Accepts clients until stop(); then closes every connection and waits for them.
    void serve();
    // Safe from any thread, and from serve()'s own.
    void stop();

private:
    void startConnection(int socket);
    void runConnection(int socket, std::uint16_t spid);
    void closeAllConnections();

    Engine& engine_;
    WireSettings wire_;
    ConnectionLimits limits_;
    int listenSocket_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::uint16_t port_ = 0;
    std::uint16_t nextSpid_ = 51;

    std::mutex mutex_;
    std::condition_variable connectionsDone_;
    std::set<int> openSockets_;
    std::size_t runningConnections_ = 0;
};

} // namespace tdslite::protocol
