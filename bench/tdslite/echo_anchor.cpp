#include "echo_anchor.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>
#include <vector>

namespace tdslite::bench {
namespace {

bool readExact(int fd, char* into, std::size_t count) {
    std::size_t got = 0;
    while (got < count) {
        ssize_t n = recv(fd, into + got, count - got, 0);
        if (n <= 0) {
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

void noDelay(int fd) {
    int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

} // namespace

std::chrono::nanoseconds echoRoundTrip(std::size_t messageBytes, int roundTrips) {
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener, 1) != 0) {
        throw std::runtime_error("echo anchor: cannot listen");
    }
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::thread echo([listener, messageBytes] {
        int peer = accept(listener, nullptr, nullptr);
        noDelay(peer);
        std::vector<char> buffer(messageBytes);
        while (readExact(peer, buffer.data(), buffer.size())) {
            send(peer, buffer.data(), buffer.size(), MSG_NOSIGNAL);
        }
        close(peer);
    });
    int client = socket(AF_INET, SOCK_STREAM, 0);
    connect(client, reinterpret_cast<sockaddr*>(&address), length);
    noDelay(client);
    std::vector<char> message(messageBytes, 'x');
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < roundTrips; ++i) {
        send(client, message.data(), message.size(), MSG_NOSIGNAL);
        readExact(client, message.data(), message.size());
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    close(client);
    echo.join();
    close(listener);
    return std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed / roundTrips);
}

} // namespace tdslite::bench
