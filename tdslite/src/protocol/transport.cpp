#include "transport.h"

namespace tdslite::protocol {

SocketTransport::SocketTransport(int socket, std::chrono::milliseconds writeTimeout)
    : socket_(socket) {
    setWriteTimeout(socket_, writeTimeout);
}

void SocketTransport::read(std::span<std::uint8_t> buffer,
                           std::optional<Clock::time_point> deadline) {
    readExact(socket_, buffer, deadline);
}

void SocketTransport::write(std::span<const std::uint8_t> bytes) {
    writeAll(socket_, bytes);
}

} // namespace tdslite::protocol
