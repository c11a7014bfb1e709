#include "socket_io.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace tdslite::protocol {
namespace {

int millisecondsUntil(std::optional<Clock::time_point> deadline) {
    if (!deadline) {
        return -1;
    }
    auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

void waitReadable(int socket, std::optional<Clock::time_point> deadline) {
    for (;;) {
        pollfd entry{socket, POLLIN, 0};
        int ready = poll(&entry, 1, millisecondsUntil(deadline));
        if (ready > 0) {
            return;
        }
        if (ready == 0) {
            throw ConnectionClosed("the client sent nothing in time");
        }
        if (errno != EINTR) {
            throw ConnectionClosed(std::string("poll failed: ") + std::strerror(errno));
        }
    }
}

} // namespace

void readExact(int socket, std::span<std::uint8_t> buffer,
               std::optional<Clock::time_point> deadline) {
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        waitReadable(socket, deadline);
        ssize_t got = recv(socket, buffer.data() + filled, buffer.size() - filled, 0);
        if (got == 0) {
            throw ConnectionClosed("the client closed the connection");
        }
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            throw ConnectionClosed(std::string("read failed: ") + std::strerror(errno));
        }
        filled += static_cast<std::size_t>(got);
    }
}

void writeAll(int socket, std::span<const std::uint8_t> bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t put = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw ConnectionClosed(std::string("write failed: ") + std::strerror(errno));
        }
        sent += static_cast<std::size_t>(put);
    }
}

void setWriteTimeout(int socket, std::chrono::milliseconds timeout) {
    timeval value{};
    value.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    value.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
    setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &value, sizeof value);
}

} // namespace tdslite::protocol
