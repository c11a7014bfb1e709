#include "server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace tdslite::protocol {
namespace {

void setCloseOnExec(int fd) {
    fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);
}

std::runtime_error listenError(const std::string& address, std::uint16_t port,
                               const std::string& why) {
    return std::runtime_error("cannot listen on " + address + ":" + std::to_string(port) + ": " +
                              why);
}

int bindListeningSocket(const std::string& address, std::uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    std::string service = std::to_string(port);
    if (int status = getaddrinfo(address.c_str(), service.c_str(), &hints, &found); status != 0) {
        throw listenError(address, port, gai_strerror(status));
    }
    std::string lastError = "no usable address";
    int listening = -1;
    for (addrinfo* candidate = found; candidate != nullptr && listening < 0;
         candidate = candidate->ai_next) {
        int fd = socket(candidate->ai_family, candidate->ai_socktype, candidate->ai_protocol);
        if (fd < 0) {
            lastError = std::strerror(errno);
            continue;
        }
        setCloseOnExec(fd);
        int on = 1;
        // Lets a restarted server take its port back while old connections sit in TIME_WAIT;
        // a port another process listens on still fails to bind.
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (bind(fd, candidate->ai_addr, candidate->ai_addrlen) == 0 && ::listen(fd, 64) == 0) {
            listening = fd;
        } else {
            lastError = std::strerror(errno);
            close(fd);
        }
    }
    freeaddrinfo(found);
    if (listening < 0) {
        throw listenError(address, port, lastError);
    }
    return listening;
}

std::uint16_t boundPort(int socket) {
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length);
    if (local.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<sockaddr_in6*>(&local)->sin6_port);
    }
    return ntohs(reinterpret_cast<sockaddr_in*>(&local)->sin_port);
}

} // namespace

Server::Server(Engine& engine, WireSettings wire, ConnectionLimits limits)
    : engine_(engine), wire_(std::move(wire)), limits_(limits) {
    std::array<int, 2> pipeEnds{};
    if (pipe(pipeEnds.data()) != 0) {
        throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
    }
    wakeRead_ = pipeEnds[0];
    wakeWrite_ = pipeEnds[1];
    setCloseOnExec(wakeRead_);
    setCloseOnExec(wakeWrite_);
}

Server::~Server() {
    closeAllConnections();
    if (listenSocket_ >= 0) {
        close(listenSocket_);
    }
    close(wakeRead_);
    close(wakeWrite_);
}

void Server::listen(const std::string& address, std::uint16_t port) {
    listenSocket_ = bindListeningSocket(address, port);
    port_ = boundPort(listenSocket_);
}

void Server::serve() {
    for (;;) {
        std::array<pollfd, 2> waits{{{listenSocket_, POLLIN, 0}, {wakeRead_, POLLIN, 0}}};
        if (poll(waits.data(), waits.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (waits[1].revents != 0) {
            break;
        }
        int client = accept(listenSocket_, nullptr, nullptr);
        if (client < 0) {
            if (errno == EMFILE || errno == ENFILE) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            continue;
        }
        setCloseOnExec(client);
        startConnection(client);
    }
    closeAllConnections();
}

void Server::stop() {
    char wake = 1;
    [[maybe_unused]] auto written = write(wakeWrite_, &wake, 1);
}

void Server::startConnection(int socket) {
    int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::uint16_t spid = 0;
    {
        std::lock_guard lock(mutex_);
        openSockets_.insert(socket);
        ++runningConnections_;
        spid = nextSpid_++;
        if (nextSpid_ == 0) {
            nextSpid_ = 51;
        }
    }
    try {
        std::thread([this, socket, spid] { runConnection(socket, spid); }).detach();
    } catch (const std::system_error&) {
        std::lock_guard lock(mutex_);
        openSockets_.erase(socket);
        --runningConnections_;
        close(socket);
    }
}

void Server::runConnection(int socket, std::uint16_t spid) {
    try {
        SocketTransport transport(socket, limits_.packetTimeout);
        Connection(transport, engine_, wire_, limits_, spid).serve();
    } catch (const std::exception& fault) {
        std::fprintf(stderr, "tdslite: connection %u could not start: %s\n", spid, fault.what());
    }
    std::lock_guard lock(mutex_);
    // Deregistered before closing, so that stop() never shuts down a reused descriptor.
    openSockets_.erase(socket);
    close(socket);
    --runningConnections_;
    connectionsDone_.notify_all();
}

void Server::closeAllConnections() {
    std::unique_lock lock(mutex_);
    for (int socket : openSockets_) {
        shutdown(socket, SHUT_RDWR);
    }
    connectionsDone_.wait(lock, [this] { return runningConnections_ == 0; });
}

} // namespace tdslite::protocol
