// Blocking socket reads and writes with deadlines, so that a client that stops half way
// through a packet cannot hold its connection open for ever.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>

namespace tdslite::protocol {

using Clock = std::chrono::steady_clock;

class ConnectionClosed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fills the buffer or throws ConnectionClosed (peer gone, error, or deadline passed).
// Without a deadline it waits as long as the peer keeps the connection open.
void readExact(int socket, std::span<std::uint8_t> buffer,
               std::optional<Clock::time_point> deadline);

void writeAll(int socket, std::span<const std::uint8_t> bytes);

// Writes that block longer than this mean the client stopped reading.
void setWriteTimeout(int socket, std::chrono::milliseconds timeout);

} // namespace tdslite::protocol
