#include "tds_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace tdslite::testtds {

TdsSocket TdsSocket::connectTo(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        throw std::runtime_error("cannot connect to port " + std::to_string(port));
    }
    return TdsSocket(fd);
}

TdsSocket::~TdsSocket() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

TdsSocket::TdsSocket(TdsSocket&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

void TdsSocket::send(std::span<const std::uint8_t> bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t put = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("send failed");
        }
        sent += static_cast<std::size_t>(put);
    }
}

void TdsSocket::readExact(std::uint8_t* into, std::size_t count,
                          std::chrono::steady_clock::time_point deadline) {
    std::size_t got = 0;
    while (got < count) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{fd_, POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) == 0) {
            throw std::runtime_error("no reply in time");
        }
        ssize_t n = recv(fd_, into + got, count - got, 0);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) {
                continue;
            }
            throw std::runtime_error("server closed the connection");
        }
        got += static_cast<std::size_t>(n);
    }
}

Bytes TdsSocket::readReply(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    Bytes payload;
    for (;;) {
        std::uint8_t header[8];
        readExact(header, sizeof header, deadline);
        std::size_t length = (std::size_t{header[2]} << 8) | header[3];
        if (header[0] != kReply || length < 8) {
            throw std::runtime_error("not a reply packet");
        }
        std::size_t start = payload.size();
        payload.resize(start + length - 8);
        readExact(payload.data() + start, length - 8, deadline);
        if ((header[1] & 1) != 0) {
            return payload;
        }
    }
}

bool TdsSocket::closedByServer(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::uint8_t sink[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{fd_, POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) == 0) {
            return false;
        }
        ssize_t n = recv(fd_, sink, sizeof sink, 0);
        if (n == 0 || (n < 0 && errno != EINTR)) {
            return true;
        }
    }
}

std::vector<Token> TdsSocket::login(const LoginFields& fields) {
    send(packets(kPrelogin, preloginPayload()));
    readReply();
    send(packets(kLogin7, login7Payload(fields)));
    return parseTokens(readReply());
}

std::vector<Token> TdsSocket::query(std::u16string_view sql) {
    send(packets(kSqlBatch, sqlBatchPayload(sql)));
    return parseTokens(readReply());
}

} // namespace tdslite::testtds
