// Where a connection's bytes come from and go to: a socket in the server, a buffer in
// the fuzzer. Both report the end of the conversation as ConnectionClosed.
#pragma once

#include "socket_io.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tdslite::protocol {

class Transport {
public:
    virtual ~Transport() = default;
    // Fills the buffer or throws ConnectionClosed; no deadline means wait as long as it takes.
    virtual void read(std::span<std::uint8_t> buffer,
                      std::optional<Clock::time_point> deadline) = 0;
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
};

class SocketTransport : public Transport {
public:
    SocketTransport(int socket, std::chrono::milliseconds writeTimeout);
    void read(std::span<std::uint8_t> buffer, std::optional<Clock::time_point> deadline) override;
    void write(std::span<const std::uint8_t> bytes) override;

private:
    int socket_;
};

} // namespace tdslite::protocol
